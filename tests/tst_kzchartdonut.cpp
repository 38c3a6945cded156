#include "chartchecks.h"

#include <kzchartdonut.h>

#include <QImage>

// Drives KzChartDonut through its real page: the calls the page received,
// the drawn centre label, and real mouse input on the ring.
class tst_KzChartDonut : public ChartTestOf<KzChartDonut>
{
    Q_OBJECT

    // How many pixels inside the ring's hole are close to colour, and their
    // mean height.
    QPair<int, double> holePixels(const QColor &colour)
    {
        const QJsonArray hole = m_probe->evalJson("(function (l) { return [l.cx, l.cy, l.r0 * 0.9]; })("
                                                  "myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(0))")
                                        .toArray();
        const QPoint centre = m_probe->toView(hole.at(0).toDouble(), hole.at(1).toDouble());
        const QImage image = chart()->grab().toImage();
        const int radius = int(hole.at(2).toDouble());
        QPair<int, double> found;
        for (int y = centre.y() - radius; y < centre.y() + radius; ++y) {
            for (int x = centre.x() - radius; x < centre.x() + radius; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green())
                        + qAbs(pixel.blue() - colour.blue()) < 24)
                    found = {found.first + 1, found.second + (y - found.second) / (found.first + 1)};
            }
        }
        return found;
    }

private Q_SLOTS:
    void fragments_data()
    {
        addCommonRows();
        addToolBackRows();
        // Values are refused, with a warning, unless there are as many as legends.
        addRow("values per legend", [](KzChartDonut *c) {
            c->setLegends({"A", "B"}, false, true);
            expectRefusal("setDatas");
            c->setDatas({3});
            c->setDatas({3, 5});
        }, R"([{"legend": [{"data": ["A", "B"], "show": false}]},
               {"series": [{"data": [{"name": "A", "value": 3}, {"name": "B", "value": 5}]}]}])");
        addRow("name", [](KzChartDonut *c) { c->setDatasName("良率"); }, R"([{"series": [{"name": "良率"}]}])");
        // A place marker in the upper text stays text.
        addRow("label", [](KzChartDonut *c) { c->setLabel("%2 of %1", "50%"); },
               "[{\"series\": [{\"label\": {\"normal\": "
               "{\"formatter\": \"{sytleTop|%2 of %1}\\n{styleBottom|50%}\"}}}]}]");
        addRow("tooltip", [](KzChartDonut *c) { c->setTooltip(false); c->setTooltip(true); },
               R"([{"tooltip": {"show": false}}, {"tooltip": {"show": true}}])");
    }

    void drawnRing()
    {
        m_probe->disableAnimation();
        chart()->setLegends({"合格", "返工", "报废"}, true, true);
        chart()->setDatas({70, 20, 10});
        // The centre label: a small grey line above a large dark one (edges
        // of dark text may look grey, never the other way round).
        const QColor grey(0x86, 0x88, 0x8b);
        const QColor dark(0x24, 0x25, 0x26);
        chart()->setLabel("合格率", "70%");
        QTRY_VERIFY(holePixels(dark).first > 100);
        QVERIFY(holePixels(grey).first > 100);
        QVERIFY(holePixels(dark).second - holePixels(grey).second > 15);

        // The tooltip names the segment under the mouse with its share.
        m_probe->hover(m_probe->slicePoint(1));
        QTRY_VERIFY(m_probe->tooltipHtml().contains("返工 (20%)"));

        // The centre label belongs to no segment: a click on it reports
        // nothing, as the later segment click proves.
        QSignalSpy categories(chart(), &KzChartDonut::categoryClicked);
        m_probe->click(m_probe->viewPoint(
                "(function () { var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(0);"
                " return [l.cx, l.cy + 12]; })()"));
        m_probe->click(m_probe->slicePoint(2));
        QTRY_COMPARE(QList<QVariantList>(categories), QList<QVariantList>{{"报废"}});

        // Away from the tooltip, whose dark box could cover the hole.
        m_probe->hover(QPoint(5, 5));
        QTRY_VERIFY(m_probe->tooltipHtml().isEmpty());
        chart()->setLabel(QString(), QString());
        QTRY_COMPARE(holePixels(dark).first, 0);
        QCOMPARE(holePixels(grey).first, 0);
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartDonut)
#include "tst_kzchartdonut.moc"
