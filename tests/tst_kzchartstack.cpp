#include "chartchecks.h"

#include <kzchartstack.h>

#include <QTranslator>


// Drives KzChartStack through its real page: the calls the page received and
// real clicks on axis labels in both orientations.
class tst_KzChartStack : public ChartTestOf<KzChartStack>
{
    Q_OBJECT

private Q_SLOTS:
    void fragments_data()
    {
        addCommonRows();
        addToolBackRows();
        addRow("categories", [](KzChartStack *c) { c->setCategories({"Q1", "Q2"}); },
               R"([{"yAxis": [{"type": "category", "data": ["Q1", "Q2"]}]}])");
        addRow("upright", [](KzChartStack *c) { c->setHorizontal(false); c->setCategories({"Q3"}); },
               R"([{"xAxis": {"type": "category"}, "yAxis": {"type": "value"}},
                   {"xAxis": [{"type": "category", "data": ["Q3"]}]}])");
        addRow("horizontal", [](KzChartStack *c) { c->setHorizontal(true); c->setCategories({}); },
               R"([{"xAxis": {"type": "value"}, "yAxis": {"type": "category"}},
                   {"yAxis": [{"type": "category", "data": []}]}])");
        // Rows are refused, with a warning, unless there are as many as legends.
        addRow("legend and rows", [](KzChartStack *c) {
            c->setLegends({"A", "B"}, false);
            c->setLegends({"A", "B"}, true);
            expectRefusal("setDatas");
            c->setDatas(Ints{{1}});
            c->setDatas(Reals{{1, 2.5}, {-3}});
        }, R"([{"legend": [{"data": ["A", "B"], "selectedMode": false}]}, {"legend": [{"data": ["A", "B"]}]},
               {"series": [{"name": "A", "type": "bar", "stack": "总量", "data": [1, 2.5]},
                           {"name": "B", "type": "bar", "stack": "总量", "data": [-3]}]}])");
        // The stack's name is a text of the library's translation.
        addRow("English stack", [](KzChartStack *c) {
            QTranslator english;
            if (english.load(":/KzChartWidget/translations/kzchartwidget_en.qm"))
                QCoreApplication::installTranslator(&english);
            c->setLegends({"A"}, true);
            c->setDatas(Ints{{4}});
        }, R"([{"legend": [{"data": ["A"]}]}, {"series": [{"name": "A", "type": "bar", "stack": "Total", "data": [4]}]}])");
    }

    void labelClickInBothOrientations()
    {
        // The page must keep the category labels, and only those, clickable
        // as the axes swap both ways.
        QSignalSpy categories(chart(), &KzChartStack::categoryClicked);
        m_probe->disableAnimation();
        for (bool horizontal : {false, true}) {
            chart()->setHorizontal(horizontal);
            chart()->setCategories({"一车间", "二车间", "三车间"});
            chart()->setLegends({"电", "水"}, true);
            chart()->setDatas(Ints{{120, 200, 150}, {80, 70, 110}});
            QPoint label, value;
            QTRY_VERIFY(!(label = m_probe->textPoint("二车间")).isNull());
            QTRY_VERIFY(!(value = m_probe->textPoint("100")).isNull());
            // A value label is no category, as the label click after it proves.
            m_probe->click(value);
            m_probe->click(label);
            QTRY_COMPARE(QList<QVariantList>(categories), QList<QVariantList>{{"二车间"}});
            categories.clear();
        }
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartStack)
#include "tst_kzchartstack.moc"
