#include "chartchecks.h"

#include <kzchartbar.h>

#include <QApplication>
#include <QMenu>
#include <QWebEngineView>

// Drives KzChartBar through its real page: fragments as the page received
// them, the merged chart option, and real mouse input on the drawn chart.
class tst_KzChartBar : public QObject
{
    Q_OBJECT

    KzChartBar *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;

    QJsonObject first(const char *key) { return m_probe->option().value(key).toArray().at(0).toObject(); }

private Q_SLOTS:
    void init() { openChart(m_chart, m_probe); }
    void cleanup() { delete m_probe; delete m_chart; }

    void commonSettersAndRelays() { checkCommonSetters(m_chart, m_probe); }
    void backButton() { checkBackButton(m_chart, m_probe); }

    void widgetAndView()
    {
        // A child widget takes a setter at once: the constructor waits for the page.
        QWidget parent;
        auto *child = new KzChartBar(&parent);
        child->setTitle(QStringLiteral("at once"));
        QVERIFY(!child->isWindow());
        ChartProbe probe(child);
        QVERIFY(probe.attach());
        QTRY_COMPARE(probe.option().value("title").toArray().at(0).toObject().value("text").toString(),
                     QStringLiteral("at once"));

        // The view fills the widget; the chart keeps 20 px clear right and below.
        QVERIFY(m_chart->isWindow());
        m_chart->resize(640, 360);
        QTRY_COMPARE(m_probe->evalJson(QStringLiteral(
                             "[window.innerWidth, window.innerHeight, mainContainer.offsetWidth,"
                             " mainContainer.offsetHeight, myChart.getWidth(), myChart.getHeight()]")),
                     QJsonValue(QJsonArray{640, 360, 620, 340, 620, 340}));
        QCOMPARE(m_probe->view()->geometry(), m_chart->rect());
    }

    void hostileTextsArriveUnchanged()
    {
        const QStringList texts = {
            QStringLiteral("say \"hi\" & 'bye'"), QStringLiteral("back\\slash \\n not a newline"),
            QStringLiteral("two\nlines\r\tand tab"), QStringLiteral("%1 and %2 and 100%"),
            QStringLiteral("温度 ℃ 測定"), QStringLiteral("emoji 🚧📈"),
            QStringLiteral("line\u2028separator\u2029paragraph"),
            QStringLiteral("</script><script>alert(1)</script>"),
        };
        m_chart->setTitle(texts.join(QLatin1Char(' ')));
        m_chart->setSubTitle(texts.join(QString()));
        m_chart->setCategories(texts);
        m_chart->setLegends(texts);
        QTRY_COMPARE(first("legend").value("data").toArray(), QJsonArray::fromStringList(texts));
        QCOMPARE(first("xAxis").value("data").toArray(), QJsonArray::fromStringList(texts));
        QCOMPARE(first("title").value("text").toString(), texts.join(QLatin1Char(' ')));
        QCOMPARE(first("title").value("subtext").toString(), texts.join(QString()));
    }

    void fragments()
    {
        // Rows are refused unless there are as many as legends; with none yet
        // only the empty list passes.
        m_chart->setDatas(QList<QList<int>>{{1, 2}});
        m_chart->setDatas(QList<QList<int>>{});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": []})"));
        m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb")});
        QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": [{"type": "category", "data": ["Jan", "Feb"]}]})"));
        m_chart->setCategories({});
        QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": [{"type": "category", "data": []}]})"));
        m_chart->setLegends({});
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": {"data": []}})"));

        m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": {"data": ["A", "B", "C"]}})"));
        m_chart->setDatas(QList<QList<int>>{{1}, {2}});
        m_chart->setDatas(QList<QList<int>>{{1, 2, 3}, {4}, {}});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "A", "type": "bar", "data": [1, 2, 3]},
            {"name": "B", "type": "bar", "data": [4]}, {"name": "C", "type": "bar", "data": []}]})"));

        // The positioned legend names the series just the same.
        m_chart->setLegends({QStringLiteral("X")}, QStringLiteral("right"), QStringLiteral("10%"),
                            QStringLiteral("vertical"));
        QCOMPARE(m_probe->nextFragment(),
                 json(R"({"legend": [{"x": "right", "y": "10%", "orient": "vertical", "data": ["X"]}]})"));
        m_chart->setDatas(QList<QList<double>>{{0.5, -1.25, 1e-7}});
        QCOMPARE(m_probe->nextFragment(),
                 json(R"({"series": [{"name": "X", "type": "bar", "data": [0.5, -1.25, 1e-7]}]})"));

        m_chart->setGrid(-3, 0, 250, 12);
        QCOMPARE(m_probe->nextFragment(),
                 json(R"({"grid": [{"left": "-3%", "top": "0%", "right": "250%", "bottom": "12%"}]})"));
        QCOMPARE(fragmentCount(m_probe), 9);
    }

    void clearChartKeepsTheFrame()
    {
        m_chart->setTitle(QStringLiteral("kept"));
        m_chart->setColors({QStringLiteral("#123456")});
        m_chart->setGrid(5, 6, 7, 8);
        m_chart->setToolBackVisible(true);
        m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb")});
        m_chart->setLegends({QStringLiteral("A")});
        m_chart->setDatas(QList<QList<int>>{{3, 4}});
        QTRY_COMPARE(first("series").value("data").toArray(), QJsonArray({3, 4}));

        m_chart->clearChart();
        QTRY_VERIFY(m_probe->option().value("series").toArray().isEmpty());
        QCOMPARE(first("xAxis").value("data").toArray(), QJsonArray());
        QCOMPARE(first("title").value("text").toString(), QStringLiteral("kept"));
        QCOMPARE(m_probe->option().value("color").toArray().at(0).toString(), QStringLiteral("#123456"));
        QCOMPARE(first("grid").value("left").toString(), QStringLiteral("5%"));
        QCOMPARE(first("legend").value("data").toArray(), QJsonArray{"A"});
        QVERIFY(!m_probe->textPoint(QStringLiteral("返回")).isNull());
        // The remembered legend names too: one row is still accepted.
        m_chart->setDatas(QList<QList<int>>{{7}});
        QTRY_COMPARE(first("series").value("data").toArray(), QJsonArray{7});
    }

    void categoryClick()
    {
        m_probe->disableAnimation();
        m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("三月")});
        m_chart->setLegends({QStringLiteral("A")});
        m_chart->setDatas(QList<QList<int>>{{5, 9, 7}});
        QTRY_COMPARE(first("series").value("data").toArray().size(), 3);
        QSignalSpy categories(m_chart, &KzChartBar::categoryClicked);

        QPoint label;
        QTRY_VERIFY(!(label = m_probe->textPoint(QStringLiteral("三月"))).isNull());
        m_probe->click(label);
        QVERIFY(categories.wait());
        QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("三月"));

        // A bar and the empty plot area report nothing, as a later label
        // click, handled after them, proves.
        m_probe->click(m_probe->viewPoint(QStringLiteral(
                "(function () { var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(1);"
                " return [l.x + l.width / 2, l.y + l.height / 2]; })()")));
        m_probe->click(m_probe->viewPoint(QStringLiteral(
                "(function () { var r = myChart.getModel().getComponent('grid').coordinateSystem.getRect();"
                " return [r.x + r.width * 0.3, r.y + 5]; })()")));
        m_probe->click(m_probe->textPoint(QStringLiteral("Jan")));
        QVERIFY(categories.wait());
        QCOMPARE(categories.size(), 1);
        QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("Jan"));
    }

    void rightClickOpensNoMenu()
    {
        m_probe->rightClick(QPoint(200, 200));
        QTest::qWait(300);
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QMenu *>(widget) && widget->isVisible()));
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartBar)
#include "tst_kzchartbar.moc"
