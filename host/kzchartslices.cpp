#include "kzchartslices.h"
#include "kzchartfragments.h"
#include "kzchartjson.h"

using namespace KzChartHost;

void KzChartSlicesPrivate::sendSlices(const QList<int> &values)
{
    if (!acceptRows("setDatas", values.size()))
        return;
    const QString name = data.series.isEmpty() ? QString() : data.series.first().name;
    data.categories = legends;
    data.setRows({name}, QList<QList<int>>{values});
    sendOption(slicesString(legends, values));
}

void KzChartSlicesPrivate::setSlicesName(const QString &name)
{
    if (data.series.isEmpty())
        data.series.append(SeriesData());
    data.series.first().name = name;
    sendOption(getJsonString(seriesNameFragment(name)));
}
