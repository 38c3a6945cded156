#include "chartchecks.h"

#include <kzchartbar.h>

#include <QMenu>


// Drives KzChartBar through its real page: the calls the page received, the
// merged chart option, and real mouse input on the drawn chart.
class tst_KzChartBar : public ChartTestOf<KzChartBar>
{
    Q_OBJECT

    QJsonValue first(const char *key, const char *member) { return m_probe->option().value(key)[0][member]; }

private Q_SLOTS:
    void fragments_data()
    {
        addCommonRows();
        addToolBackRows();
        addRow("categories", [](KzChartBar *c) { c->setCategories({"Jan", "Feb"}); },
               R"([{"xAxis": [{"type": "category", "data": ["Jan", "Feb"]}]}])");
        // Rows are refused, with a warning, unless there are as many as legends.
        addRow("legends and rows", [](KzChartBar *c) {
            c->setLegends({"A", "B", "C"});
            expectRefusal("setDatas");
            c->setDatas(Ints{{1}, {2}});
            c->setDatas(Ints{{1, 2, 3}, {4}, {}});
        }, R"([{"legend": {"data": ["A", "B", "C"]}}, {"series": [{"name": "A", "type": "bar", "data": [1, 2, 3]},
               {"name": "B", "type": "bar", "data": [4]}, {"name": "C", "type": "bar", "data": []}]}])");
        addRow("placed legend, real rows", [](KzChartBar *c) {
            c->setLegends({"X"}, "right", "10%", "vertical");
            c->setDatas(Reals{{0.5, -1.25, 1e-7}});
        }, R"([{"legend": [{"x": "right", "y": "10%", "orient": "vertical", "data": ["X"]}]},
               {"series": [{"name": "X", "type": "bar", "data": [0.5, -1.25, 1e-7]}]}])");
        addRow("grid", [](KzChartBar *c) { c->setGrid(-3, 0, 250, 12); },
               R"([{"grid": [{"left": "-3%", "top": "0%", "right": "250%", "bottom": "12%"}]}])");
    }

    void clearChartKeepsTheFrame()
    {
        // Bars and labels go; title, legend and back button stay.
        chart()->setTitle("kept");
        chart()->setToolBackVisible(true);
        chart()->setCategories({"Jan", "Feb"});
        chart()->setLegends({"A"});
        chart()->setDatas(Ints{{3, 4}});
        chart()->clearChart();
        QTRY_COMPARE(first("xAxis", "data"), QJsonValue(QJsonArray()));
        QCOMPARE(m_probe->option().value("series"), QJsonValue(QJsonArray()));
        QCOMPARE(QJsonArray({first("title", "text"), first("legend", "data")}), QJsonArray({"kept", QJsonArray{"A"}}));
        QVERIFY(!m_probe->textPoint("返回").isNull());
        // The remembered legend names too: one row is still accepted.
        chart()->setDatas(Ints{{7}});
        QTRY_COMPARE(first("series", "data"), QJsonValue(QJsonArray{7}));
    }

    void clicks()
    {
        m_probe->disableAnimation();
        chart()->setCategories({"Jan", "Feb", "三月"});
        chart()->setLegends({"A"});
        chart()->setDatas(Ints{{5, 9, 7}});
        QSignalSpy categories(chart(), &KzChartBar::categoryClicked);
        QPoint label;
        QTRY_VERIFY(!(label = m_probe->textPoint("三月")).isNull());
        // A bar, the empty plot area and a right click report nothing and
        // open no menu, as the label click handled after them proves.
        m_probe->click(m_probe->viewPoint("myChart.convertToPixel({seriesIndex: 0}, [1, 4])"));
        m_probe->click(m_probe->viewPoint("myChart.convertToPixel({seriesIndex: 0}, [0, 8])"));
        m_probe->click(label, Qt::RightButton);
        m_probe->click(label);
        QTRY_COMPARE(QList<QVariantList>(categories), QList<QVariantList>{{"三月"}});
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QMenu *>(widget) && widget->isVisible()));
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartBar)
#include "tst_kzchartbar.moc"
