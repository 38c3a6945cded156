#ifndef KZCHARTSUMMARY_H
#define KZCHARTSUMMARY_H

#include "kzchartdata.h"

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace KzChartHost {

// Gives chart the accessible name and description that screen readers
// announce: the name is title, or the kind of chart when there is none; the
// description is the kind of chart with its series (at most ten named, each
// with its number of points and, on the line charts, its last value) or, on
// the pie and donut charts, its slices. Both are translatable texts, and
// change only when their text does.
void describeChart(QWidget *chart, const QString &title, const ChartData &data);

} // namespace KzChartHost

#endif // KZCHARTSUMMARY_H
