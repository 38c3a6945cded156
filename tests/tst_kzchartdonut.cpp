#include "chartchecks.h"

#include <kzchartdonut.h>

#include <QApplication>
#include <QImage>

// Drives KzChartDonut through its real page: fragments as the page received
// them, the drawn centre label, and real mouse input on the ring.
class tst_KzChartDonut : public QObject
{
    Q_OBJECT

    KzChartDonut *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;

    QJsonObject series() { return m_probe->option().value("series").toArray().at(0).toObject(); }

    // How many pixels inside the ring's hole are close to colour, and their
    // mean height.
    QPair<int, double> holePixels(const QColor &colour)
    {
        const QJsonArray hole = m_probe->evalJson(QStringLiteral(
                "(function () { var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(0);"
                " return [l.cx, l.cy, l.r0]; })()")).toArray();
        const QPoint centre = m_probe->toView(hole.at(0).toDouble(), hole.at(1).toDouble());
        const int radius = int(hole.at(2).toDouble() * 0.9);
        const QImage image = m_chart->grab().toImage();
        int count = 0;
        double sumY = 0;
        for (int y = centre.y() - radius; y < centre.y() + radius; ++y) {
            for (int x = centre.x() - radius; x < centre.x() + radius; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green())
                        + qAbs(pixel.blue() - colour.blue()) < 24) {
                    ++count;
                    sumY += y;
                }
            }
        }
        return {count, count ? sumY / count : 0};
    }

private Q_SLOTS:
    void init() { openChart(m_chart, m_probe); }
    void cleanup() { delete m_probe; delete m_chart; }

    void commonSettersAndRelays() { checkCommonSetters(m_chart, m_probe); }
    void backButton() { checkBackButton(m_chart, m_probe); }

    void fragments()
    {
        m_chart->setDatas({1, 2});
        m_chart->setDatas({});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"data": []}]})"));
        m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, false, true);
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": [{"data": ["A", "B"], "show": false}]})"));
        m_chart->setDatas({3});
        m_chart->setDatas({3, 5});
        QCOMPARE(m_probe->nextFragment(),
                 json(R"({"series": [{"data": [{"name": "A", "value": 3}, {"name": "B", "value": 5}]}]})"));
        m_chart->setDatasName(QStringLiteral("良率"));
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "良率"}]})"));

        // A place marker in the upper text stays text.
        m_chart->setLabel(QStringLiteral("%2 of %1"), QStringLiteral("50%"));
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"label": {"normal":
            {"formatter": "{sytleTop|%2 of %1}\n{styleBottom|50%}"}}}]})"));
        m_chart->setTooltip(false);
        QCOMPARE(m_probe->nextFragment(), json(R"({"tooltip": {"show": false}})"));
        QCOMPARE(fragmentCount(m_probe), 6);
    }

    void drawnRing()
    {
        m_probe->disableAnimation();
        m_chart->setLegends({QStringLiteral("合格"), QStringLiteral("返工"), QStringLiteral("报废")}, true, true);
        m_chart->setDatas({70, 20, 10});
        QTRY_COMPARE(series().value("data").toArray().size(), 3);

        // The centre label: a small grey line above a large dark one.
        const QColor grey(0x86, 0x88, 0x8b);
        const QColor dark(0x24, 0x25, 0x26);
        m_chart->setLabel(QStringLiteral("合格率"), QStringLiteral("70%"));
        QPair<int, double> top;
        QTRY_VERIFY((top = holePixels(grey)).first > 20);
        const QPair<int, double> bottom = holePixels(dark);
        QVERIFY(bottom.first > top.first);
        QVERIFY(top.second < bottom.second);
        m_chart->setLabel(QString(), QString());
        QTRY_COMPARE(holePixels(dark).first, 0);
        QCOMPARE(holePixels(grey).first, 0);

        // The tooltip follows the mouse until switched off, and again once
        // switched back on.
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

        // The centre label belongs to no segment: a click on it reports
        // nothing, as the later segment click proves.
        QSignalSpy categories(m_chart, &KzChartDonut::categoryClicked);
        m_chart->setLabel(QStringLiteral("合格率"), QStringLiteral("70%"));
        QTRY_VERIFY(holePixels(dark).first > 20);
        m_probe->click(m_probe->viewPoint(QStringLiteral(
                "(function () { var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(0);"
                " return [l.cx, l.cy + 12]; })()")));
        m_probe->click(m_probe->slicePoint(2));
        QVERIFY(categories.wait());
        QCOMPARE(categories.size(), 1);
        QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("报废"));
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartDonut)
#include "tst_kzchartdonut.moc"
