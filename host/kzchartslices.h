#ifndef KZCHARTSLICES_H
#define KZCHARTSLICES_H

#include "kzchartcore.h"

// The private part of the pie and the donut chart, whose page holds one
// series of slices named by the legend.
class KzChartSlicesPrivate : public KzChartPrivate
{
public:
    using KzChartPrivate::KzChartPrivate;

    // One value per legend name; refused otherwise.
    void sendSlices(const QList<int> &values);
    void setSlicesName(const QString &name);
};

#endif // KZCHARTSLICES_H
