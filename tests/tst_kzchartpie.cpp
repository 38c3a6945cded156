#include "chartchecks.h"

#include <kzchartpie.h>

#include <QApplication>

// Drives KzChartPie through its real page: fragments as the page received
// them, the merged chart option, and real clicks on the drawn slices.
class tst_KzChartPie : public QObject
{
    Q_OBJECT

    KzChartPie *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;

    QJsonObject series() { return m_probe->option().value("series").toArray().at(0).toObject(); }

private Q_SLOTS:
    void init() { openChart(m_chart, m_probe); }
    void cleanup() { delete m_probe; delete m_chart; }

    void commonSettersAndRelays() { checkCommonSetters(m_chart, m_probe); }
    void backButton() { checkBackButton(m_chart, m_probe); }

    void fragments()
    {
        // Values are refused unless there are as many as legends; with none
        // yet only the empty list passes.
        m_chart->setDatas({3});
        m_chart->setDatas({});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"data": []}]})"));
        m_chart->setLegends({});
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": {"data": []}})"));

        // Three arguments send the legend as an array with "show", and a
        // selection mode only to switch selection off, which then lasts.
        const QStringList names{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        m_chart->setLegends(names, false, false);
        QCOMPARE(m_probe->nextFragment(),
                 json(R"({"legend": [{"data": ["A", "B", "C"], "show": false, "selectedMode": false}]})"));
        m_chart->setDatas({3, 5});
        m_chart->setLegends(names, true, true);
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": [{"data": ["A", "B", "C"], "show": true}]})"));
        const QJsonObject legend = m_probe->option().value("legend").toArray().at(0).toObject();
        QCOMPARE(legend.value("selectedMode").toBool(true), false);

        m_chart->setDatas({3, 0, -5});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"data": [{"name": "A", "value": 3},
            {"name": "B", "value": 0}, {"name": "C", "value": -5}]}]})"));
        m_chart->setDatasName(QStringLiteral("能耗"));
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "能耗"}]})"));
        // Silence goes as a plain object, merged into the one series.
        m_chart->setSilent(true);
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": {"silent": true}})"));
        const QJsonArray all = m_probe->option().value("series").toArray();
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.at(0).toObject().value("name").toString(), QStringLiteral("能耗"));
        QCOMPARE(all.at(0).toObject().value("data").toArray().size(), 3);
        QCOMPARE(fragmentCount(m_probe), 7);
    }

    void sliceClick()
    {
        m_probe->disableAnimation();
        m_chart->setLegends({QStringLiteral("一号泵"), QStringLiteral("二号泵"), QStringLiteral("三号泵")});
        m_chart->setDatas({40, 35, 25});
        QTRY_COMPARE(series().value("data").toArray().size(), 3);
        QSignalSpy categories(m_chart, &KzChartPie::categoryClicked);

        m_probe->click(m_probe->slicePoint(1));
        QVERIFY(categories.wait());
        QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("二号泵"));

        // A silent pie ignores the click. The silence is lifted only once the
        // page has seen the click, and the next slice click proves that the
        // silent one had its chance to report.
        m_chart->setSilent(true);
        QTRY_VERIFY(series().value("silent").toBool());
        m_probe->eval(QStringLiteral("window.kzClicks = 0; myChart.getZr().on('click', function () { ++kzClicks; })"));
        m_probe->click(m_probe->slicePoint(0));
        QTRY_COMPARE(m_probe->eval(QStringLiteral("kzClicks")).toInt(), 1);
        m_chart->setSilent(false);
        QTRY_VERIFY(!series().value("silent").toBool(true));
        m_probe->click(m_probe->slicePoint(2));
        QVERIFY(categories.wait());
        QCOMPARE(categories.size(), 1);
        QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("三号泵"));
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartPie)
#include "tst_kzchartpie.moc"
