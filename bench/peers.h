// The native peers: the chart widgets a Qt developer would otherwise pick,
// each built the way its documentation suggests, with fixed value axes.
#ifndef PEERS_H
#define PEERS_H

#include "benchsupport.h"

#include <QPointF>
#include <QVector>

#ifdef KZ_BENCH_QTCHARTS
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
using namespace QtCharts;
#endif

// A chart view with lines line series, software or OpenGL, over two value
// axes. The axes do not follow the data: set their ranges after changing it.
struct QtChartsPlot
{
    std::unique_ptr<QChartView> view;
    QList<QLineSeries *> series;
    QValueAxis *x = nullptr;
    QValueAxis *y = nullptr;
};
QtChartsPlot makeQtChartsPlot(int lines, bool openGL);
#endif

QVector<QPointF> toPointF(const Points &points);

#endif // PEERS_H
