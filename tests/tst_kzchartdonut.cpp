#include "chartchecks.h"
#include "chartprobe.h"

#include <kzchartdonut.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

// Drives KzChartDonut through its real page: fragments as the page received
// them, the merged chart option, the drawn centre label, and real mouse input
// on the ring.
class tst_KzChartDonut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void commonSettersAndRelays();
    void legendsAndDatas();
    void labelFragments();
    void centreLabelIsDrawn();
    void tooltipSwitch();
    void segmentClick();
    void backButton();

private:
    QJsonObject series();
    void showRing();
    // The pixels inside the ring's hole whose colour is close to colour.
    struct Pixels { int count = 0; double meanY = 0; };
    Pixels holePixels(const QColor &colour);

    KzChartDonut *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
};

void tst_KzChartDonut::init()
{
    openChart(m_chart, m_probe);
}

void tst_KzChartDonut::cleanup()
{
    delete m_probe;
    delete m_chart;
}

QJsonObject tst_KzChartDonut::series()
{
    return m_probe->option().value("series").toArray().at(0).toObject();
}

void tst_KzChartDonut::showRing()
{
    m_probe->disableAnimation();
    m_chart->setLegends({QStringLiteral("合格"), QStringLiteral("返工"), QStringLiteral("报废")}, true, true);
    m_chart->setDatas({70, 20, 10});
    QTRY_COMPARE(series().value("data").toArray().size(), 3);
}

tst_KzChartDonut::Pixels tst_KzChartDonut::holePixels(const QColor &colour)
{
    const QJsonArray hole = m_probe->evalJson(QStringLiteral(
            "(function () { var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(0);"
            " return [l.cx, l.cy, l.r0]; })()")).toArray();
    const QPoint centre = m_probe->toView(hole.at(0).toDouble(), hole.at(1).toDouble());
    const int radius = int(hole.at(2).toDouble() * 0.9);
    const QImage image = m_chart->grab().toImage();
    Pixels pixels;
    for (int y = centre.y() - radius; y < centre.y() + radius; ++y) {
        for (int x = centre.x() - radius; x < centre.x() + radius; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green())
                    + qAbs(pixel.blue() - colour.blue()) < 24) {
                ++pixels.count;
                pixels.meanY += (y - pixels.meanY) / pixels.count;
            }
        }
    }
    return pixels;
}

void tst_KzChartDonut::commonSettersAndRelays()
{
    checkCommonSetters(m_chart, m_probe);
    checkRelays(m_chart);
}

void tst_KzChartDonut::legendsAndDatas()
{
    m_chart->setDatas({1, 2});
    m_chart->setDatas({});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray{QJsonObject{{"data", QJsonArray()}}}}}));

    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, false, true);
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"legend", QJsonArray{QJsonObject{{"data", QJsonArray{"A", "B"}}, {"show", false}}}}}));

    m_chart->setDatas({3, 5, 8});
    m_chart->setDatas({3, 5});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray{QJsonObject{{"data", QJsonArray{
            QJsonObject{{"name", "A"}, {"value", 3}}, QJsonObject{{"name", "B"}, {"value", 5}}}}}}}}));
    m_chart->setDatasName(QStringLiteral("良率"));
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray{QJsonObject{{"name", "良率"}}}}}));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 4);
}

void tst_KzChartDonut::labelFragments()
{
    auto labelFragment = [](const QString &text) {
        const QJsonObject normal{{"formatter", text}};
        return QJsonObject({{"series", QJsonArray{QJsonObject{{"label", QJsonObject{{"normal", normal}}}}}}});
    };
    m_chart->setLabel(QStringLiteral("12"), QStringLiteral("Total"));
    QCOMPARE(m_probe->nextFragment(), labelFragment(QStringLiteral("{sytleTop|12}\n{styleBottom|Total}")));
    m_chart->setLabel(QString(), QString());
    QCOMPARE(m_probe->nextFragment(), labelFragment(QStringLiteral("{sytleTop|}\n{styleBottom|}")));
    // A place marker in the upper text stays text.
    m_chart->setLabel(QStringLiteral("%2 of %1"), QStringLiteral("50%"));
    QCOMPARE(m_probe->nextFragment(), labelFragment(QStringLiteral("{sytleTop|%2 of %1}\n{styleBottom|50%}")));
    m_chart->setLabel(QString(), QString());
    m_probe->nextFragment();

    // Only the formatter changed (the chart keeps the "normal" state as the
    // label itself); the rest of the label stays.
    const QJsonObject label = series().value("label").toObject();
    QCOMPARE(label.value("formatter").toString(), QStringLiteral("{sytleTop|}\n{styleBottom|}"));
    QCOMPARE(label.value("position").toString(), QStringLiteral("center"));

    m_chart->setTooltip(false);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"tooltip", QJsonObject{{"show", false}}}}));
}

void tst_KzChartDonut::centreLabelIsDrawn()
{
    const QColor grey(0x86, 0x88, 0x8b);
    const QColor dark(0x24, 0x25, 0x26);
    showRing();
    m_chart->setLabel(QStringLiteral("合格率"), QStringLiteral("70%"));
    QTRY_COMPARE(series().value("label").toObject().value("formatter").toString(),
                 QStringLiteral("{sytleTop|合格率}\n{styleBottom|70%}"));
    // The small grey line above the large dark one, in the middle of the ring.
    Pixels top;
    QTRY_VERIFY((top = holePixels(grey)).count > 20);
    const Pixels bottom = holePixels(dark);
    QVERIFY(bottom.count > top.count);
    QVERIFY(top.meanY < bottom.meanY);

    m_chart->setLabel(QString(), QString());
    QTRY_COMPARE(holePixels(dark).count, 0);
    QCOMPARE(holePixels(grey).count, 0);
}

void tst_KzChartDonut::tooltipSwitch()
{
    showRing();
    const QPoint segment = m_probe->slicePoint(1);
    const QPoint outside(5, 5);
    m_probe->hover(segment);
    QTRY_VERIFY(m_probe->tooltipHtml().contains(QStringLiteral("返工 (20%)")));
    m_probe->hover(outside);
    QTRY_VERIFY(m_probe->tooltipHtml().isEmpty());

    m_chart->setTooltip(false);
    QTRY_VERIFY(!m_probe->option().value("tooltip").toArray().at(0).toObject().value("show").toBool(true));
    m_probe->hover(segment);
    QTest::qWait(500);
    QVERIFY(m_probe->tooltipHtml().isEmpty());
    m_probe->hover(outside);

    m_chart->setTooltip(true);
    QTRY_VERIFY(m_probe->option().value("tooltip").toArray().at(0).toObject().value("show").toBool());
    m_probe->hover(m_probe->slicePoint(2));
    QTRY_VERIFY(m_probe->tooltipHtml().contains(QStringLiteral("报废 (10%)")));
}

void tst_KzChartDonut::segmentClick()
{
    showRing();
    QSignalSpy categories(m_chart, &KzChartDonut::categoryClicked);
    m_probe->click(m_probe->slicePoint(2));
    QVERIFY(categories.wait());
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("报废"));
}

void tst_KzChartDonut::backButton()
{
    checkBackButton(m_chart, m_probe);
}

KZ_CHART_TEST_MAIN(tst_KzChartDonut)
#include "tst_kzchartdonut.moc"
