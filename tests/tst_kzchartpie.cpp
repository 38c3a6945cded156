#include "chartchecks.h"
#include "chartprobe.h"

#include <kzchartpie.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

// Drives KzChartPie through its real page: fragments as the page received
// them, the merged chart option, and real clicks on the drawn slices.
class tst_KzChartPie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void commonSettersAndRelays();
    void legends();
    void datasNameAndSilence();
    void sliceClick();
    void backButton();

private:
    QJsonObject series();

    KzChartPie *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
};

void tst_KzChartPie::init()
{
    openChart(m_chart, m_probe);
}

void tst_KzChartPie::cleanup()
{
    delete m_probe;
    delete m_chart;
}

QJsonObject tst_KzChartPie::series()
{
    return m_probe->option().value("series").toArray().at(0).toObject();
}

void tst_KzChartPie::commonSettersAndRelays()
{
    checkCommonSetters(m_chart, m_probe);
    checkRelays(m_chart);
}

void tst_KzChartPie::legends()
{
    const QStringList names{QStringLiteral("A"), QStringLiteral("B")};
    m_chart->setLegends(names);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"legend", QJsonObject{{"data", QJsonArray{"A", "B"}}}}}));

    m_chart->setLegends(names, true, true);
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"legend", QJsonArray{QJsonObject{{"data", QJsonArray{"A", "B"}}, {"show", true}}}}}));
    m_chart->setLegends(names, false, false);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"legend", QJsonArray{QJsonObject{
            {"data", QJsonArray{"A", "B"}}, {"show", false}, {"selectedMode", false}}}}}));
    m_chart->setLegends({}, true, true);
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"legend", QJsonArray{QJsonObject{{"data", QJsonArray()}, {"show", true}}}}}));

    // Selection switched off stays off: a selectable call sends no mode.
    const QJsonObject legend = m_probe->option().value("legend").toArray().at(0).toObject();
    QCOMPARE(legend.value("selectedMode").toBool(true), false);
    QCOMPARE(legend.value("show").toBool(), true);
    QCOMPARE(legend.value("type").toString(), QStringLiteral("scroll"));
}

void tst_KzChartPie::datasNameAndSilence()
{
    // No legends yet: only an empty list passes.
    m_chart->setDatas({3});
    m_chart->setDatas({});
    const QJsonObject empty{{"series", QJsonArray{QJsonObject{{"data", QJsonArray()}}}}};
    QCOMPARE(m_probe->nextFragment(), empty);

    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")});
    m_probe->nextFragment();
    m_chart->setDatas({3, 5, 7});
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, true, true);
    m_probe->nextFragment();
    m_chart->setDatas({3, 0, -5});
    const QJsonArray slices{QJsonObject{{"name", "A"}, {"value", 3}}, QJsonObject{{"name", "B"}, {"value", 0}},
                            QJsonObject{{"name", "C"}, {"value", -5}}};
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray{QJsonObject{{"data", slices}}}}}));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 4);

    m_chart->setDatasName(QStringLiteral("能耗"));
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray{QJsonObject{{"name", "能耗"}}}}}));
    // Silence goes as a plain object for both values, merged into the one series.
    m_chart->setSilent(true);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonObject{{"silent", true}}}}));
    m_chart->setSilent(false);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonObject{{"silent", false}}}}));
    const QJsonArray all = m_probe->option().value("series").toArray();
    QCOMPARE(all.size(), 1);
    QCOMPARE(all.at(0).toObject().value("name").toString(), QStringLiteral("能耗"));
    QCOMPARE(all.at(0).toObject().value("data").toArray().size(), 3);
}

void tst_KzChartPie::sliceClick()
{
    m_probe->disableAnimation();
    m_chart->setLegends({QStringLiteral("一号泵"), QStringLiteral("二号泵"), QStringLiteral("三号泵")});
    m_chart->setDatas({40, 35, 25});
    QTRY_COMPARE(series().value("data").toArray().size(), 3);
    QSignalSpy categories(m_chart, &KzChartPie::categoryClicked);

    m_probe->click(m_probe->slicePoint(1));
    QVERIFY(categories.wait());
    QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("二号泵"));

    // A silent pie ignores the click. The silence is lifted only once the page
    // has seen the click, and the next slice click proves that the silent
    // one had its chance to report.
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

void tst_KzChartPie::backButton()
{
    checkBackButton(m_chart, m_probe);
}

KZ_CHART_TEST_MAIN(tst_KzChartPie)
#include "tst_kzchartpie.moc"
