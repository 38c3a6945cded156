#include "peers.h"

#ifdef KZ_BENCH_QTCHARTS
QtChartsPlot makeQtChartsPlot(int lines, bool openGL)
{
    QtChartsPlot plot;
    plot.view = std::make_unique<QChartView>();
    QChart *chart = plot.view->chart();
    plot.x = new QValueAxis;
    plot.y = new QValueAxis;
    chart->addAxis(plot.x, Qt::AlignBottom);
    chart->addAxis(plot.y, Qt::AlignLeft);
    for (int s = 0; s < lines; ++s) {
        auto *series = new QLineSeries;
        series->setUseOpenGL(openGL);
        chart->addSeries(series);
        series->attachAxis(plot.x);
        series->attachAxis(plot.y);
        plot.series.append(series);
    }
    return plot;
}
#endif

QVector<QPointF> toPointF(const Points &points)
{
    QVector<QPointF> result;
    result.reserve(points.size());
    for (const auto &point : points)
        result.append(QPointF(point.first, point.second));
    return result;
}
