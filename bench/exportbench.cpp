// Exports of a monitoring chart with four long series: the picture at three
// times the chart area's size, the SVG and the PDF, next to the chart's
// grab() of the screen, the floor (plain ECharts drawing the same option in a
// bare page, its answer brought back by runJavaScript()) and Qt Charts
// rendering the same points into a picture of the same size and into a PDF.
#include "benchsupport.h"
#include "peers.h"
#include "sections.h"

#include <kzchartlinezoom.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <algorithm>
#include <functional>

namespace {

// Runs work once and adds its time to table under label.
void timed(Table &table, const QString &label, const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    table.add(label, elapsedMs(timer));
}

double kilobytes(const QString &file)
{
    return QFileInfo(file).size() / 1024.0;
}

} // namespace

void benchExport(const Settings &settings)
{
    const int count = settings.counts.last();
    const QStringList names{"S0", "S1", "S2", "S3"};
    KzChartLineZoom::SeriesMap datas;
    for (int s = 0; s < names.size(); ++s)
        datas.insert(names[s], wave(count, s));
    KzChartLineZoom chart;
    showChart(&chart);
    armPainted(chartView(&chart));
    chart.setOption(1, names, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, 0, count, 5, 1, false, false,
                    -10, 90, 5, 1, datas);
    waitPainted(chartView(&chart), wallMs());
    const QSize area = chart.toImage(1).size();

    // The floor draws the option that the chart's page holds, its long
    // series as cut for the view.
    auto bare = barePage(QStringLiteral("lineZoom.html"));
    showChart(bare.get());
    evaluate(bare.get(), QStringLiteral("window.exported = %1; myChart.setOption(exported, true); 0")
                                 .arg(evaluate(chartView(&chart), QStringLiteral("JSON.stringify(myChart.getOption())"))
                                              .toString()));
    const QString floorSvg = QStringLiteral(
            "(function () { var copy = echarts.init(document.createElement('div'), null,"
            "  {renderer: 'svg', width: %1, height: %2});"
            "  copy.setOption(exported); var svg = copy.getDataURL(); copy.dispose(); return svg; })()")
                                     .arg(area.width())
                                     .arg(area.height());

#ifdef KZ_BENCH_QTCHARTS
    QtChartsPlot plot = makeQtChartsPlot(names.size(), false);
    for (int s = 0; s < names.size(); ++s)
        plot.series[s]->replace(toPointF(datas.value(names[s])));
    plot.x->setRange(0, count);
    plot.y->setRange(-10, 90);
    showChart(plot.view.get());
#endif

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    Table table(QStringLiteral("Exports of KzChartLineZoom, 4 x %1 points, chart area %2 x %3 (ms; sizes in kB)")
                        .arg(count)
                        .arg(area.width())
                        .arg(area.height()));
    for (int run = 0; run < settings.runs; ++run) {
        timed(table, QStringLiteral("toImage(3)"), [&] { chart.toImage(3); });
        timed(table, QStringLiteral("floor: getDataURL({pixelRatio: 3}), decoded"), [&] {
            const QString url = evaluate(bare.get(), QStringLiteral("myChart.getDataURL({pixelRatio: 3})")).toString();
            QImage::fromData(QByteArray::fromBase64(url.section(QLatin1Char(','), 1).toLatin1()), "PNG");
        });
        QByteArray svg;
        timed(table, QStringLiteral("toSvg()"), [&] { svg = chart.toSvg(); });
        table.add(QStringLiteral("toSvg(): size"), svg.size() / 1024.0);
        QString plainSvg;
        timed(table, QStringLiteral("floor: ECharts' SVG renderer, getDataURL()"),
              [&] { plainSvg = evaluate(bare.get(), floorSvg).toString(); });
        table.add(QStringLiteral("floor: size"), plainSvg.toUtf8().size() / 1024.0);
        timed(table, QStringLiteral("saveImage(\"chart.pdf\")"), [&] { chart.saveImage(pdf); });
        table.add(QStringLiteral("saveImage(\"chart.pdf\"): size"), kilobytes(pdf));
        timed(table, QStringLiteral("grab() of the screen, for comparison"), [&] { chart.grab(); });
#ifdef KZ_BENCH_QTCHARTS
        timed(table, QStringLiteral("peer: Qt Charts into a QImage of the same size"), [&] {
            QImage image(area * 3, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(3);
            image.fill(Qt::white);
            QPainter painter(&image);
            plot.view->render(&painter, QRectF(QPointF(0, 0), QSizeF(area)));
        });
        const QString peerPdf = dir.filePath(QStringLiteral("qtcharts.pdf"));
        timed(table, QStringLiteral("peer: Qt Charts into a QPdfWriter"), [&] {
            QPdfWriter writer(peerPdf);
            writer.setPageSize(QPageSize(QSizeF(area) * 72.0 / 96.0, QPageSize::Point));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            plot.view->render(&painter, QRectF(0, 0, writer.width(), writer.height()));
        });
        table.add(QStringLiteral("peer: Qt Charts PDF: size"), kilobytes(peerPdf));
#endif
    }
    table.print();
}
