#include "chartprobe.h"

#include <kzchartline.h>
#include <kzchartlinezoom.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cmath>

// 100k points on a gentle wave with one spike, in both line charts, drawn
// reduced per pixel column: the spike must survive with its real value in the
// tooltip, zooming must bring back its neighbours, and the page must answer
// at once instead of after seconds of layout.
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

        QElapsedTimer timer;
        timer.start();
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
        QCOMPARE(probe.eval(QStringLiteral("1")).toInt(), 1);
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QStringLiteral("answered after %1 ms").arg(timer.elapsed())));

        const QString drawn = QStringLiteral("myChart.getOption().series[0].data");
        const QJsonArray spikePoint{spike, 250.5};
        QVERIFY(probe.evalJson(drawn + ".length").toInt() < 5000);
        QVERIFY(probe.evalJson(drawn).toArray().contains(spikePoint));
        probe.hover(probe.viewPoint(QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [%1, 250.5])").arg(spike)));
        QTRY_VERIFY(probe.tooltipHtml().contains(QLatin1String("250.5")));

        // 1% of the range fits the width: every point in view is drawn.
        probe.eval(QStringLiteral("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 61.5, end: 62.5})"));
        QTRY_VERIFY(probe.evalJson(drawn).toArray().contains(QJsonArray{spike + 1, values.at(spike + 1)}));
        QVERIFY(probe.evalJson(drawn).toArray().contains(spikePoint));
    }
};

KZ_CHART_TEST_MAIN(tst_LargeData)
#include "tst_largedata.moc"
