#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>

#include <QWebEnginePage>
#include <QWebEngineView>

#include <cmath>
#include <csignal>

// 100k points on a gentle wave with one spike, in both line charts, drawn
// reduced per pixel column: the spike must survive with its real value in the
// tooltip, and zooming must bring back its neighbours.
class tst_LargeData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spikeSurvives_data()
    {
        QTest::addColumn<bool>("monitoring");
        QTest::newRow("KzChartLine") << false;
        QTest::newRow("KzChartLineZoom") << true;
    }

    void spikeSurvives()
    {
        QFETCH(bool, monitoring);
        const int count = 100000, spike = 61803;
        QStringList labels;
        QList<double> values;
        KzChartLineZoom::SeriesMap points;
        for (int i = 0; i < count; ++i) {
            labels.append(QString::number(i));
            values.append(i == spike ? 250.5 : 100 + 10 * std::sin(i / 5000.0));
            points[QStringLiteral("P")].append({double(i), values.last()});
        }
        QScopedPointer<QWidget> chart(monitoring ? static_cast<QWidget *>(new KzChartLineZoom) : new KzChartLine);
        chart->resize(900, 500);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.data()));
        ChartProbe probe(chart.data());
        QVERIFY(probe.attach({}));
        if (auto *zoom = qobject_cast<KzChartLineZoom *>(chart.data())) {
            zoom->setOption(1, {"P"}, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, labels, true, 0, 0, 300,
                            5, 1, points, {}, "title", "");
        } else {
            auto *line = qobject_cast<KzChartLine *>(chart.data());
            line->setLegends({"P"}, "bottom");
            line->setCategories(labels, true, 0);
            line->setToolTip(0);
            line->setDataZoom(true);
            line->setDatas(QList<QList<double>>{values});
        }

        // The points come as an attachment, after the call has returned.
        const auto drawn = [&] { return probe.evalJson("(myChart.getOption().series[0] || {}).data || []").toArray(); };
        const auto pixel = [&](int i) {
            return probe.viewPoint(QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [%1, %2])").arg(i).arg(values.at(i)));
        };
        const QJsonArray spikePoint{spike, 250.5};
        QTRY_VERIFY(drawn().contains(spikePoint));
        QVERIFY(drawn().size() < 5000);
        probe.hover(pixel(spike));
        QTRY_VERIFY(probe.tooltipHtml().contains(QLatin1String("250.5")));
        // The legend hides the reduced series and brings it back, tooltip and all.
        const QString hidden = QStringLiteral("myChart.getModel().isSeriesFiltered(myChart.getModel().getSeriesByIndex(0))");
        const QPoint legend = probe.textPoint(QStringLiteral("P"));
        probe.click(legend);
        QTRY_VERIFY(probe.eval(hidden).toBool());
        probe.click(legend);
        QTRY_VERIFY(!probe.eval(hidden).toBool());
        probe.hover(pixel(spike - 1));
        probe.hover(pixel(spike));
        QTRY_VERIFY(probe.tooltipHtml().contains(QLatin1String("250.5")));
        // Double clicks work on the points shown: the spike's on the line
        // chart, a segment of the wave's on the monitoring chart.
        const int target = monitoring ? 20000 : spike;
        QSignalSpy clicks(chart.data(), monitoring ? SIGNAL(lineDBClicked(QString, int, int)) : SIGNAL(seriesClicked(QString)));
        probe.doubleClick(pixel(target));
        QTRY_COMPARE(clicks.count(), 1);
        QVERIFY(monitoring ? qAbs(clicks.at(0).at(1).toInt() - target) < 500
                           : clicks.at(0).at(0).toString() == QString::number(spike));
        // 1% of the range fits the width: every point in view is drawn.
        probe.eval(QStringLiteral("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 61.5, end: 62.5})"));
        QTRY_VERIFY(drawn().contains(QJsonArray{spike + 1, values.at(spike + 1)}));
        QVERIFY(drawn().contains(spikePoint));
    }

    void longBarSeries()
    {
        // Only the line pages read attachments: bars of any number arrive as values.
        KzChartBar chart;
        ChartProbe probe(&chart);
        QVERIFY(probe.attach({}));
        QStringList labels;
        QList<double> values;
        for (int i = 0; i < 6000; ++i) {
            labels.append(QString::number(i));
            values.append(i % 7);
        }
        chart.setLegends({"P"});
        chart.setCategories(labels);
        chart.setDatas(QList<QList<double>>{values});
        QTRY_COMPARE(probe.evalJson("[].slice.call((myChart.getOption().series[0] || {}).data || [], 5998)").toArray(), QJsonArray({6, 0}));
    }

    void attachmentsInOrder()
    {
        // Long series reach the page as attachments, fetched after the call
        // has returned: a later call still lands after them, a series that
        // cannot be reduced arrives whole (gaps as null), and the renderer's
        // death brings it back.
        KzChartLine chart;
        chart.resize(900, 500);
        chart.show();
        ChartProbe probe(&chart);
        QVERIFY(probe.attach({"fetchAttachments"}));
        chart.setLegends({"P"}, "bottom");
        chart.setCategories(0, 100000, 5, 1);
        QList<QPair<double, double>> wave, profile;
        for (int i = 0; i < 100000; ++i)
            wave.append({double(i), std::sin(i / 100.0)});
        for (int i = 0; i < 6000; ++i)
            profile.append({6000.0 - i, i == 10 ? qQNaN() : i % 7});
        const auto drawn = [&] { return probe.evalJson("(myChart.getOption().series[0] || {}).data || []").toArray(); };
        const auto settled = [&] { return probe.eval("!waitingCalls").toBool(); };

        chart.setDatas(QList<QList<QPair<double, double>>>{wave});
        chart.setDatas(QList<QList<QPair<double, double>>>{{{1, 2}, {3, 4}}});
        QTRY_VERIFY(settled());
        QCOMPARE(probe.eval("kzProbeLog.length").toInt(), 1);
        QCOMPARE(drawn(), QJsonArray({QJsonArray{1, 2}, QJsonArray{3, 4}}));

        chart.setDatas(QList<QList<QPair<double, double>>>{profile});
        QTRY_COMPARE(drawn().size(), 6000);
        QCOMPARE(drawn().at(10), QJsonArray({5990, QJsonValue::Null}));
        QCOMPARE(drawn().at(11), QJsonArray({5989, 4}));

        QSignalSpy loads(probe.view(), &QWebEngineView::loadFinished);
        ::kill(pid_t(probe.view()->page()->renderProcessPid()), SIGKILL);
        QVERIFY(loads.wait(10000));
        QVERIFY(probe.attach({}));
        QTRY_COMPARE(drawn().size(), 6000);
    }
};

KZ_CHART_TEST_MAIN(tst_LargeData)
#include "tst_largedata.moc"
