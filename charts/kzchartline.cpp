#include "kzchartline.h"

#include "kzchartbounds.h"
#include "kzchartcore.h"
#include "kzchartexport.h"
#include "kzchartjson.h"
#include "kzchartlive.h"

#include <cmath>
#include <limits>
#include <type_traits>

using namespace KzChartHost;

namespace {

using Point = QPair<double, double>;

// x of a point as a 32-bit whole number, truncated toward zero. Outside the
// range the conversion would be undefined, so the nearest end of the range
// is sent instead; NaN has no nearest whole number and goes as null, which
// the page treats as a missing value.
double truncatedX(double x)
{
    if (std::isnan(x))
        return x;
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    // Both bounds are exact doubles; every x strictly between them truncates
    // into the range.
    if (x <= double(lowest) - 1.0)
        return lowest;
    if (x >= double(highest) + 1.0)
        return highest;
    return static_cast<int>(x);
}

} // namespace

/*!
    \class KzChartLine
    \brief A line chart: one or more line series over a category x axis
    (text labels) or a numeric x axis ((x, y) points), against a numeric
    y axis.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the
    page, which merges it into what earlier calls left; nothing is ever taken
    away, so a setDatas() with fewer series than an earlier one leaves the
    surplus series on the chart.

    Series are named by position after the names of the last setLegends()
    call; setDatas() with a different number of series than there are names
    is refused with a warning in the logging category "kzchart". Set the
    legends first, then the data.

    A click on an x-axis label emits categoryClicked() with the label; a
    double click on a point emits seriesClicked() with that data item's name,
    which on a category axis is the point's category label (not the series
    name). A double click on the empty plot area emits nothing. Calling a
    relay slot directly emits its signal at once; a page's call emits it
    right after the call has been delivered.

    \par Tooltip mode
    setToolTip() always switches the tooltip to item mode: hovering a point
    shows that point alone. Its mode argument is handed to the page first
    (as the page call setToolTipFlag(mode)), which accepts it and gives it no
    visible meaning, so every mode, negative ones included, shows the same
    item tooltip.

    \par Point series
    setDatas() with (x, y) pairs sends x as a whole number truncated toward
    zero (2.9 becomes 2, -2.9 becomes -2) and y as it is. An x beyond the
    32-bit range is clamped to the nearest end of it (-2147483648 or
    2147483647, infinities included). An x that is NaN is sent as null: the
    page skips that point and breaks the line there, as for any missing value.
    A y that is NaN or infinite is sent as null as well, and so is any such
    value given to setDatas() or setValueRange().

    Label clicks survive switching the x axis to numbers and back: the page
    makes the labels of a category axis clickable again whenever an axis
    arrives.

    \par Long series
    A series of more than 5000 points, in ascending x order, is drawn reduced
    to the lowest and highest point of every pixel column in view (redone on
    zoom and resize), without animation and with a symbol only on the point
    under the mouse: every peak stays visible and tooltips and double clicks
    report real points, while 100k points draw in well under a second.
    Series of up to 5000 points are drawn as they always are.

    The points of a longer series travel to the page as binary numbers,
    which the page fetches while it goes on answering the host and the mouse:
    such a setDatas() returns in about a millisecond per 100k points, and the
    chart shows the series a moment later. Calls made after it still take
    effect after it. This needs the library loaded before the QApplication
    is created, as it is for an application linked to it; loaded later (by a
    plugin), the library sends every series as script text, which is slower
    but draws the same.

    \par Live data
    appendDatas() adds samples to the series as they arrive without
    redrawing the chart from scratch: zoom windows, legend selection and
    tooltips stay, only the new samples travel, and appends that come faster
    than the page draws are merged. setRetention() bounds what each series
    keeps; while isFollowing(), the x zoom window slides with the newest
    sample until the user zooms or pans away from it (followingChanged()).
    See \ref live.

    Over categories the x of a point is the index of a label: setDatas()
    leaves out the points whose x names no label, with a warning in the
    logging category "kzchart". Very long lists and texts are drawn bounded
    (see \ref security); all texts show as typed, markup included.
*/

class KzChartLinePrivate : public KzChartPrivate
{
public:
    using KzChartPrivate::KzChartPrivate;

    LiveData live{this};
    // Whether the x axis holds categories (labels or none), where the x of a
    // point is the index of a label.
    bool categoryAxis = true;

    template <typename T>
    void sendSeries(const QList<QList<T>> &datas)
    {
        if (!acceptRows("setDatas", datas.size()))
            return;
        if constexpr (std::is_same_v<T, Point>) {
            QList<QList<Point>> points = datas;
            if (const int dropped = categoryAxis ? dropUncategorizedPoints(points, data.categories.size()) : 0)
                warn("setDatas", uncategorizedWarning(dropped, data.categories.size()));
            data.setPoints(legends, points, truncatedX);
            live.dataSet(points.size(), false);
            const auto writeRow = [&points](JsonWriter &writer, int row) {
                writeLineData(writer, points.at(row), truncatedX);
            };
            sendOption(getSeriesFragment(legends, QStringLiteral("line"), writeRow,
                                         QJsonObject{{QStringLiteral("symbolSize"), 10}}));
        } else {
            data.setRows(legends, datas);
            live.dataSet(datas.size(), false);
            const auto writeRow = [&datas](JsonWriter &writer, int row) { writeLineData(writer, datas.at(row)); };
            sendOption(getSeriesFragment(legends, QStringLiteral("line"), writeRow));
        }
    }
};

KzChartLine::KzChartLine(QWidget *parent)
    : QWidget(parent), d(new KzChartLinePrivate(this))
{
    KzChartPrivate::load(d.get(), QStringLiteral("line.html"));
}

KzChartLine::~KzChartLine() = default;

KZCHART_DEFINE_COMMON(KzChartLine)
KZCHART_DEFINE_TITLES(KzChartLine)
KZCHART_DEFINE_EXPORTS(KzChartLine)
KZCHART_DEFINE_LIVE(KzChartLine)

void KzChartLine::setCategories(const QStringList &categories, bool bOnZero, int interval)
{
    KZCHART_ON_OWN_THREAD(setCategories(categories, bOnZero, interval));
    // The labels are written apart from the axis: there may be 100k of them.
    QJsonObject axis = getCategoryAxis(QStringList(), bOnZero, interval);
    axis.remove(QStringLiteral("data"));
    d->data.categories = categories;
    d->categoryAxis = true;
    d->live.dataSet(0, true);
    d->sendOption(getLabelledComponentString(QStringLiteral("xAxis"), axis, categories));
}

void KzChartLine::setCategories(int min, int max, int splitNumber, double minInterval)
{
    KZCHART_ON_OWN_THREAD(setCategories(min, max, splitNumber, minInterval));
    QJsonObject axis = getRangeAxis(min, max, splitNumber, minInterval);
    axis.insert(QStringLiteral("type"), QStringLiteral("value"));
    d->data.categories.clear();
    d->categoryAxis = false;
    d->live.dataSet(0, true);
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("xAxis"), axis)));
}

void KzChartLine::setDatas(const QList<QList<int>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartLine::setDatas(const QList<QList<double>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartLine::setDatas(const QList<QList<QPair<double, double>>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartLine::setLegends(const QStringList &legends, const QString &y)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends, y));
    d->legends = legends;
    QJsonObject legend;
    legend.insert(QStringLiteral("y"), y);
    legend.insert(QStringLiteral("data"), getJsonArray(legends));
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("legend"), legend)));
}

void KzChartLine::setGrid(const QString &bottom, bool bContainLabel)
{
    KZCHART_ON_OWN_THREAD(setGrid(bottom, bContainLabel));
    QJsonObject grid;
    grid.insert(QStringLiteral("bottom"), bottom);
    grid.insert(QStringLiteral("containLabel"), bContainLabel);
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("grid"), grid)));
}

void KzChartLine::setToolTip(int mode)
{
    KZCHART_ON_OWN_THREAD(setToolTip(mode));
    d->runScript(QStringLiteral("setToolTipFlag(%1)").arg(mode));
    const QJsonObject tooltip = getJsonObject(QStringLiteral("trigger"), QStringLiteral("item"));
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("tooltip"), tooltip)));
}

void KzChartLine::setDataZoom(bool bShow)
{
    KZCHART_ON_OWN_THREAD(setDataZoom(bShow));
    // A slider and an inside (wheel and drag) zoom for each axis; the x-axis
    // pair sits at 90% of the chart's height.
    QList<QJsonObject> zooms;
    for (const QString &type : {QStringLiteral("slider"), QStringLiteral("inside")}) {
        for (const QString &axisIndex : {QStringLiteral("xAxisIndex"), QStringLiteral("yAxisIndex")}) {
            QJsonObject zoom;
            zoom.insert(QStringLiteral("type"), type);
            zoom.insert(axisIndex, 0);
            zoom.insert(QStringLiteral("filterMode"), QStringLiteral("empty"));
            if (axisIndex == QLatin1String("xAxisIndex"))
                zoom.insert(QStringLiteral("y"), QStringLiteral("90%"));
            zoom.insert(QStringLiteral("show"), bShow);
            zooms.append(zoom);
        }
    }
    d->sendOption(getJsonString(getJsonObject(QStringLiteral("dataZoom"), getJsonArray(zooms))));
}

void KzChartLine::setValueRange(double min, double max, int splitNumber, double minInterval)
{
    KZCHART_ON_OWN_THREAD(setValueRange(min, max, splitNumber, minInterval));
    d->sendOption(getJsonString(
            getJsonArrayObject(QStringLiteral("yAxis"), getRangeAxis(min, max, splitNumber, minInterval))));
}

void KzChartLine::setValues(bool bBoundaryGap, bool bInverse)
{
    KZCHART_ON_OWN_THREAD(setValues(bBoundaryGap, bInverse));
    d->sendOption(getJsonString(
            getJsonArrayObject(QStringLiteral("yAxis"), getValueAxis(bBoundaryGap, bInverse))));
}

void KzChartLine::clickedCategory(const QString &category)
{
    KZCHART_ON_OWN_THREAD(clickedCategory(category));
    d->relay([=] { emit categoryClicked(category); });
}

void KzChartLine::clickedSeries(const QString &name)
{
    KZCHART_ON_OWN_THREAD(clickedSeries(name));
    d->relay([=] { emit seriesClicked(name); });
}

void KzChartLine::appendDatas(const QStringList &categories, const QList<QList<double>> &values)
{
    KZCHART_ON_OWN_THREAD(appendDatas(categories, values));
    d->live.appendCategories(categories, values, false);
}

void KzChartLine::appendDatas(const QList<QList<QPair<double, double>>> &points)
{
    KZCHART_ON_OWN_THREAD(appendDatas(points));
    QList<QList<Point>> truncated = points;
    for (QList<Point> &row : truncated) {
        for (Point &point : row)
            point.first = std::isfinite(point.first) ? truncatedX(point.first) : point.first;
    }
    d->live.appendRows(truncated);
}
