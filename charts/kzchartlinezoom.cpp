#include "kzchartlinezoom.h"

#include "kzchartbounds.h"
#include "kzchartcore.h"
#include "kzchartexport.h"
#include "kzchartfragments.h"
#include "kzchartjson.h"
#include "kzchartlive.h"

using namespace KzChartHost;

namespace {

using Points = QList<QPair<double, double>>;

// option plus "series" (items[i] with points[i] as its data) and, on a label
// axis, "xAxis" ([labelAxis] with labels as its data), as the page's text.
// Points and labels go from the lists to text directly: building JSON values
// for 100k points first would cost several times the writing.
Fragment optionFragment(const QJsonObject &option, const QList<QJsonObject> &items, const QList<Points> &points,
                        const QJsonObject &labelAxis, const QStringList &labels)
{
    const auto writePoints = [&points](JsonWriter &writer, int row) { writeLineData(writer, points.at(row)); };
    QList<JsonWriter::StreamedMember> streamed{
            {QStringLiteral("series"), [&](JsonWriter &writer) { writeSeriesArray(writer, items, writePoints); }}};
    if (!labelAxis.isEmpty()) {
        streamed.append({QStringLiteral("xAxis"), [&](JsonWriter &writer) {
                             writeLabelledComponent(writer, labelAxis, labels);
                         }});
    }
    JsonWriter writer;
    writer.writeObject(option, streamed);
    return writer.fragment();
}

QJsonObject alarmLine(double value, const QStringList &labelNames, bool onlyAlarm)
{
    // A lone alarm with a lone name reads "报警值: v"; otherwise the label
    // lists whom the alarm is for. QString::number always writes the C locale: "1.5", "1.23457e+06".
    const QString number = QString::number(value, 'g', 6);
    const QString text = onlyAlarm && labelNames.size() == 1
            ? KzChartLineZoom::tr("报警值: %1").arg(number)
            : labelNames.join(QStringLiteral(", ")) + QStringLiteral(" : ") + number;

    QJsonObject label;
    label.insert(QStringLiteral("formatter"), text);
    label.insert(QStringLiteral("position"), QStringLiteral("middle"));
    QJsonObject line;
    line.insert(QStringLiteral("label"), label);
    line.insert(QStringLiteral("silent"), true);
    line.insert(QStringLiteral("data"), QJsonArray{QJsonObject{{QStringLiteral("yAxis"), value}}});
    line.insert(QStringLiteral("lineStyle"), getJsonObject(QStringLiteral("color"), QStringLiteral("#FF0000")));
    return line;
}

} // namespace

/*!
    \class KzChartLineZoom
    \brief A monitoring line chart: one line per measuring point, zoom bars on
    both axes, red alarm lines, depth records in the tooltips, legend selection
    in both directions and double-clicks on line segments.

    Configure the whole chart with one setOption() call. Unlike the other
    charts, this page does not merge: every call that reaches it through the
    option bridge (setOption(), setColors() and the list forms of setDatas())
    clears the chart and rebuilds it from the page's base option plus what
    that call carries. setColors() after setOption() therefore leaves only the
    palette; pass everything to setOption() instead.

    The builders (setTitle(), setToolTip(), setLegends(), setGrid(),
    setDataZoom(), both setCategories(), setValueRange(), setValues() and the
    map form of setDatas()) send nothing: each returns the array that becomes
    one key of the option. setOption() calls them in a fixed order and sends
    the result in one page call. setLegends() also remembers the names; the
    series are named, ordered and counted after them.

    Tooltip modes (the first argument of setOption()):
    \list
    \li 1: series name, date (the category label), value and, for every
        record given to setDepthDate() for that point and date, a depth line;
        positive depths are shown negated (3.5 reads -3.5).
    \li 2: a depth profile: series name, "深度" with the y value and "值"
        with the x value.
    \li anything else: empty tooltip boxes.
    \endlist

    Signals: legendClicked() when the user toggles a legend entry (one name
    and whether it is selected now; setLegendClicked() raises none), and
    lineDBClicked() when the user double-clicks close to a line segment (the
    series name and the x keys of the segment's two points; on the category
    axis these are the label indexes, on a numeric axis the x values, which
    arrive rounded to whole numbers). seriesClicked() is raised only by
    calling clickedSeries() directly. Calling a relay slot directly emits its
    signal at once; a page's call emits it right after the call has been
    delivered.

    How the double-click hit test reads a click:
    \list
    \li The tolerance is 0.5 % of the y span that the y zoom bar currently
        shows, so a chart without zoom bars (before setOption(), after
        setColors() or a list setDatas()) reports no double-clicks.
    \li The click's x is taken in the units of the segment's keys by
        interpolating its pixel column between the pixel columns of the
        segment's two points; on the category axis a click halfway between
        labels 3 and 4 is at 3.5, not rounded to a label.
    \li A click must lie between the y values of the segment's two points,
        widened by the tolerance, whether the line rises or falls, and
        horizontally between the two points' pixel columns (left point first).
    \li The first segment of the first series, in series order, that passes
        wins; where lines cross, the earlier series is reported.
    \endlist

    getPixelByLogic() asks the page for the pixel column of an x value on the
    x axis. The page works it out but nothing travels back, so the call has no
    visible effect and changes nothing.

    Clicks on x-axis labels are not reported: the widget has no signal for
    them and the page ignores them.

    Long series are drawn as by KzChartLine: above 5000 points, in ascending
    x order, a series shows the lowest and highest point of every pixel
    column in view, redone on zoom; the double-click hit test then works on
    those points, which are real data points. Their points travel as binary
    numbers, as described for KzChartLine. On the category axis setOption()
    leaves out the points whose x names no label, with a warning. Very long
    lists and texts are drawn bounded (see \ref security).

    \par Live data
    appendDatas() adds samples to the series as they arrive without
    rebuilding the chart: zoom windows, legend selection, tooltips, alarm
    lines and depth records stay, only the new samples travel, and appends
    that come faster than the page draws are merged. setRetention() bounds
    what each series keeps; while isFollowing(), the x zoom window slides
    with the newest sample until the user zooms or pans away from it
    (followingChanged()). See \ref live.

    The tooltips show series names, dates and depth texts as typed, markup
    included. An alarm value that is not a finite number gets no line. Texts
    are bounded as on KzChartLine.
*/

class KzChartLineZoomPrivate : public KzChartPrivate
{
public:
    using KzChartPrivate::KzChartPrivate;

    LiveData live{this};

    // The series objects of the remembered legends, without their data;
    // none when datas holds a different number of points.
    QList<QJsonObject> seriesItems(const KzChartLineZoom::SeriesMap &datas,
                                   const KzChartLineZoom::AlarmMap &alarms) const;
    // The points of each remembered legend, in legend order.
    QList<Points> seriesPoints(const KzChartLineZoom::SeriesMap &datas) const;
    // Sends a whole option, which carries the chart's data: the page
    // rebuilds the chart from it, and keeps toolTipMode for its tooltips.
    // shownTitle is the title that it shows.
    void sendRebuild(const Fragment &option, int toolTipMode, const QString &shownTitle = QString());
    // The option of a setOption() call: option plus its series and, on a
    // label axis, the labels; remembered as the chart's data.
    void sendOption(QJsonObject option, const KzChartLineZoom::SeriesMap &datas,
                    const KzChartLineZoom::AlarmMap &alarms, int toolTipMode,
                    const QJsonObject &labelAxis = QJsonObject(), const QStringList &labels = QStringList());
    template <typename T>
    void sendSeries(const QList<QList<T>> &datas, const QJsonObject &extra);
};

QList<QJsonObject> KzChartLineZoomPrivate::seriesItems(const KzChartLineZoom::SeriesMap &datas,
                                                       const KzChartLineZoom::AlarmMap &alarms) const
{
    QList<QJsonObject> series;
    if (datas.size() != legends.size())
        return series;
    for (const QString &name : legends) {
        QJsonObject item;
        item.insert(QStringLiteral("name"), name);
        item.insert(QStringLiteral("type"), QStringLiteral("line"));
        item.insert(QStringLiteral("symbolSize"), 5);
        // Ascending values: the greatest alarm that names the point wins. A
        // value that is not a finite number has no place on the axis.
        for (auto it = alarms.begin(); it != alarms.end(); ++it) {
            if (qIsFinite(it.key()) && it.value().second.contains(name))
                item.insert(QStringLiteral("markLine"), alarmLine(it.key(), it.value().first, alarms.size() == 1));
        }
        series.append(item);
    }
    return series;
}

QList<Points> KzChartLineZoomPrivate::seriesPoints(const KzChartLineZoom::SeriesMap &datas) const
{
    QList<Points> points;
    for (const QString &name : legends)
        points.append(datas.value(name));
    return points;
}

void KzChartLineZoomPrivate::sendRebuild(const Fragment &option, int toolTipMode, const QString &shownTitle)
{
    live.dataSet(data.series.size(), true);
    title = shownTitle;
    // Both markers are filled in one pass: a second pass would find a "%1"
    // inside the option's texts (a title, a point name) before the "%2".
    runScript(QStringLiteral("setChartOption(%1, %2)").arg(option.json, QString::number(toolTipMode, 10)),
              option.attachments);
}

void KzChartLineZoomPrivate::sendOption(QJsonObject option, const KzChartLineZoom::SeriesMap &datas,
                                        const KzChartLineZoom::AlarmMap &alarms, int toolTipMode,
                                        const QJsonObject &labelAxis, const QStringList &labels)
{
    const QList<QJsonObject> items = seriesItems(datas, alarms);
    if (items.isEmpty() && !datas.isEmpty())
        warn("setOption", QStringLiteral("%1 measuring points for %2 legend names; the chart shows no lines")
                                    .arg(datas.size())
                                    .arg(legends.size()));
    QList<Points> points = items.isEmpty() ? QList<Points>() : seriesPoints(datas);
    if (const int dropped = labelAxis.isEmpty() ? 0 : dropUncategorizedPoints(points, labels.size()))
        warn("setOption", uncategorizedWarning(dropped, labels.size()));
    data = ChartData();
    data.categories = labels;
    data.setPoints(legends.mid(0, points.size()), points);
    sendRebuild(optionFragment(option, items, points, labelAxis, labels), toolTipMode,
                option.value(QStringLiteral("title"))[0][QStringLiteral("text")].toString());
}

template <typename T>
void KzChartLineZoomPrivate::sendSeries(const QList<QList<T>> &datas, const QJsonObject &extra)
{
    if (!acceptRows("setDatas", datas.size()))
        return;
    data = ChartData();
    data.setRows(legends, datas);
    const auto writeRow = [&datas](JsonWriter &writer, int row) { writeLineData(writer, datas.at(row)); };
    sendRebuild(getSeriesFragment(legends, QStringLiteral("line"), writeRow, extra), 0);
}

// Tooltip, legend, zoom and grid, which both setOption() forms share.
QJsonObject commonOption(KzChartLineZoom *chart, int toolTipMode, const QStringList &legends, const QString &legendY,
                         bool showDataZoom, int zoomStart, int zoomEnd, const QString &gridLeft,
                         const QString &gridTop, const QString &gridRight,
                         const QString &gridBottom, bool containLabel)
{
    QJsonObject option;
    option.insert(QStringLiteral("tooltip"), chart->setToolTip(toolTipMode));
    option.insert(QStringLiteral("legend"), chart->setLegends(legends, legendY));
    option.insert(QStringLiteral("dataZoom"), chart->setDataZoom(showDataZoom, zoomStart, zoomEnd));
    option.insert(QStringLiteral("grid"), chart->setGrid(gridLeft, gridTop, gridRight, gridBottom, containLabel));
    return option;
}

KzChartLineZoom::KzChartLineZoom(QWidget *parent)
    : QWidget(parent), d(new KzChartLineZoomPrivate(this))
{
    KzChartPrivate::load(d.get(), QStringLiteral("lineZoom.html"));
}

KzChartLineZoom::~KzChartLineZoom() = default;

KZCHART_DEFINE_COMMON(KzChartLineZoom)
KZCHART_DEFINE_EXPORTS(KzChartLineZoom)
KZCHART_DEFINE_LIVE(KzChartLineZoom)

void KzChartLineZoom::setOption(int toolTipMode, const QStringList &legends, const QString &legendY,
                                bool showDataZoom, int zoomStart, int zoomEnd,
                                const QString &gridLeft, const QString &gridTop, const QString &gridRight,
                                const QString &gridBottom, bool containLabel,
                                const QStringList &categories, bool onZero, int labelInterval,
                                double yMin, double yMax, int ySplitNumber, double yMinInterval,
                                const SeriesMap &datas, const AlarmMap &alarms,
                                const QString &title, const QString &subtitle)
{
    KZCHART_ON_OWN_THREAD(setOption(toolTipMode, legends, legendY, showDataZoom, zoomStart, zoomEnd, gridLeft, gridTop, gridRight, gridBottom, containLabel, categories, onZero, labelInterval, yMin, yMax, ySplitNumber, yMinInterval, datas, alarms, title, subtitle));
    QJsonObject option = commonOption(this, toolTipMode, legends, legendY, showDataZoom, zoomStart, zoomEnd,
                                      gridLeft, gridTop, gridRight, gridBottom, containLabel);
    option.insert(QStringLiteral("title"), setTitle(title, subtitle));
    option.insert(QStringLiteral("yAxis"), setValueRange(yMin, yMax, ySplitNumber, yMinInterval));
    // The labels are written apart from the axis, like the points.
    QJsonObject labelAxis = setCategories(QStringList(), onZero, labelInterval).at(0).toObject();
    labelAxis.remove(QStringLiteral("data"));
    d->sendOption(option, datas, alarms, toolTipMode, labelAxis, categories);
}

void KzChartLineZoom::setOption(int toolTipMode, const QStringList &legends, const QString &legendY,
                                bool showDataZoom, int zoomStart, int zoomEnd,
                                const QString &gridLeft, const QString &gridTop, const QString &gridRight,
                                const QString &gridBottom, bool containLabel,
                                int xMin, int xMax, int xSplitNumber, double xMinInterval,
                                bool yBoundaryGap, bool yInverse,
                                double yMin, double yMax, int ySplitNumber, double yMinInterval,
                                const SeriesMap &datas)
{
    KZCHART_ON_OWN_THREAD(setOption(toolTipMode, legends, legendY, showDataZoom, zoomStart, zoomEnd, gridLeft, gridTop, gridRight, gridBottom, containLabel, xMin, xMax, xSplitNumber, xMinInterval, yBoundaryGap, yInverse, yMin, yMax, ySplitNumber, yMinInterval, datas));
    QJsonObject yAxis = setValues(yBoundaryGap, yInverse).at(0).toObject();
    const QJsonObject range = setValueRange(yMin, yMax, ySplitNumber, yMinInterval).at(0).toObject();
    for (auto it = range.begin(); it != range.end(); ++it)
        yAxis.insert(it.key(), it.value());

    QJsonObject option = commonOption(this, toolTipMode, legends, legendY, showDataZoom, zoomStart, zoomEnd,
                                      gridLeft, gridTop, gridRight, gridBottom, containLabel);
    option.insert(QStringLiteral("xAxis"), setCategories(xMin, xMax, xSplitNumber, xMinInterval));
    option.insert(QStringLiteral("yAxis"), getJsonArray(QList<QJsonObject>{yAxis}));
    d->sendOption(option, datas, AlarmMap(), toolTipMode);
}

QJsonArray KzChartLineZoom::setTitle(const QString &text, const QString &subtext)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setTitle(text, subtext));
    QJsonObject title;
    title.insert(QStringLiteral("text"), text);
    title.insert(QStringLiteral("subtext"), subtext);
    title.insert(QStringLiteral("left"), QStringLiteral("center"));
    return getJsonArray(QList<QJsonObject>{title});
}

QJsonArray KzChartLineZoom::setToolTip(int toolTipMode)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setToolTip(toolTipMode));
    Q_UNUSED(toolTipMode)
    // One data item per tooltip: the page's formatter describes one point.
    return getJsonArray(QList<QJsonObject>{getJsonObject(QStringLiteral("trigger"), QStringLiteral("item"))});
}

QJsonArray KzChartLineZoom::setLegends(const QStringList &legends, const QString &y)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setLegends(legends, y));
    d->legends = legends;
    QJsonObject legend;
    legend.insert(QStringLiteral("y"), y);
    legend.insert(QStringLiteral("type"), QStringLiteral("scroll"));
    legend.insert(QStringLiteral("data"), getJsonArray(legends));
    return getJsonArray(QList<QJsonObject>{legend});
}

QJsonArray KzChartLineZoom::setGrid(const QString &left, const QString &top, const QString &right,
                                    const QString &bottom, bool containLabel)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setGrid(left, top, right, bottom, containLabel));
    QJsonObject grid;
    grid.insert(QStringLiteral("left"), left);
    grid.insert(QStringLiteral("top"), top);
    grid.insert(QStringLiteral("right"), right);
    grid.insert(QStringLiteral("bottom"), bottom);
    grid.insert(QStringLiteral("containLabel"), containLabel);
    return getJsonArray(QList<QJsonObject>{grid});
}

QJsonArray KzChartLineZoom::setDataZoom(bool show, int start, int end)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setDataZoom(show, start, end));
    // Zooming changes only what is visible, never the data: lines keep
    // running to the edge of the plot instead of stopping at the last point
    // inside the window.
    auto zoom = [show](const QString &type, const QString &axisKey) {
        QJsonObject object;
        object.insert(QStringLiteral("type"), type);
        object.insert(axisKey, 0);
        object.insert(QStringLiteral("filterMode"), QStringLiteral("none"));
        object.insert(QStringLiteral("show"), show);
        return object;
    };
    const QString slider = QStringLiteral("slider");
    const QString inside = QStringLiteral("inside");
    const QString xAxisIndex = QStringLiteral("xAxisIndex");
    const QString yAxisIndex = QStringLiteral("yAxisIndex");

    QJsonObject xSlider = zoom(slider, xAxisIndex);
    xSlider.insert(QStringLiteral("showDataShadow"), false);
    xSlider.insert(QStringLiteral("y"), QStringLiteral("90%"));
    xSlider.insert(QStringLiteral("height"), QStringLiteral("5%"));
    xSlider.insert(QStringLiteral("start"), start);
    xSlider.insert(QStringLiteral("end"), end);
    QJsonObject ySlider = zoom(slider, yAxisIndex);
    ySlider.insert(QStringLiteral("showDataShadow"), false);
    return getJsonArray(QList<QJsonObject>{xSlider, ySlider, zoom(inside, xAxisIndex), zoom(inside, yAxisIndex)});
}

QJsonArray KzChartLineZoom::setCategories(const QStringList &categories, bool onZero, int interval)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setCategories(categories, onZero, interval));
    // Dates are points in time: no gap before the first, ticks on the labels.
    QJsonObject axis = getCategoryAxis(categories, onZero, interval);
    axis.insert(QStringLiteral("boundaryGap"), false);
    axis.insert(QStringLiteral("axisTick"), getJsonObject(QStringLiteral("alignWithLabel"), true));
    return getJsonArray(QList<QJsonObject>{axis});
}

QJsonArray KzChartLineZoom::setCategories(int min, int max, int splitNumber, double minInterval)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setCategories(min, max, splitNumber, minInterval));
    QJsonObject axis = getRangeAxis(min, max, splitNumber, minInterval);
    axis.insert(QStringLiteral("type"), QStringLiteral("value"));
    return getJsonArray(QList<QJsonObject>{axis});
}

QJsonArray KzChartLineZoom::setValueRange(double min, double max, int splitNumber, double minInterval)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setValueRange(min, max, splitNumber, minInterval));
    return getJsonArray(QList<QJsonObject>{getRangeAxis(min, max, splitNumber, minInterval)});
}

QJsonArray KzChartLineZoom::setValues(bool boundaryGap, bool inverse)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setValues(boundaryGap, inverse));
    return getJsonArray(QList<QJsonObject>{getValueAxis(boundaryGap, inverse)});
}

QJsonArray KzChartLineZoom::setDatas(const SeriesMap &datas, const AlarmMap &alarms)
{
    KZCHART_RETURN_FROM_OWN_THREAD(setDatas(datas, alarms));
    QList<QJsonObject> series = d->seriesItems(datas, alarms);
    const QList<Points> points = d->seriesPoints(datas);
    for (int i = 0; i < series.size(); ++i) {
        QJsonArray pairs;
        for (const auto &point : points.at(i))
            pairs.append(QJsonArray{point.first, point.second});
        series[i].insert(QStringLiteral("data"), pairs);
    }
    return getJsonArray(series);
}

void KzChartLineZoom::setDatas(const QList<QList<int>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas, getJsonObject(QStringLiteral("smooth"), false));
}

void KzChartLineZoom::setDatas(const QList<QList<double>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas, QJsonObject());
}

void KzChartLineZoom::setColors(const QStringList &colors)
{
    KZCHART_ON_OWN_THREAD(setColors(colors));
    d->colors = colors;
    d->data = ChartData();
    d->sendRebuild({getJsonString(colorsFragment(colors)), {}}, 0);
}

QStringList KzChartLineZoom::colors() const
{
    KZCHART_RETURN_FROM_OWN_THREAD(colors());
    return d->colors;
}

void KzChartLineZoom::setDepthDate(const DepthMap &depths)
{
    KZCHART_ON_OWN_THREAD(setDepthDate(depths));
    // An empty map leaves the call without an argument, which clears the
    // page's records.
    d->runScript(QStringLiteral("setDepthDate(%1)").arg(getDepthDateString(depths)));
}

QString KzChartLineZoom::getDepthDateString(const DepthMap &depths)
{
    KZCHART_RETURN_FROM_OWN_THREAD(getDepthDateString(depths));
    if (depths.isEmpty())
        return QString();
    QList<QJsonObject> points;
    for (auto point = depths.begin(); point != depths.end(); ++point) {
        QList<QJsonObject> dates;
        for (auto date = point.value().begin(); date != point.value().end(); ++date) {
            QJsonObject record;
            record.insert(QStringLiteral("date"), date.key());
            // Kept as text: the page shows the depth as it was measured.
            record.insert(QStringLiteral("depth"), date.value());
            dates.append(record);
        }
        QJsonObject pointRecords;
        pointRecords.insert(QStringLiteral("pointName"), point.key());
        pointRecords.insert(QStringLiteral("dateTime"), getJsonArray(dates));
        points.append(pointRecords);
    }
    return getJsonString(getJsonObject(QStringLiteral("depthDate"), getJsonArray(points)));
}

void KzChartLineZoom::setLegendClicked(const QStringList &names)
{
    KZCHART_ON_OWN_THREAD(setLegendClicked(names));
    const QJsonObject legend = getJsonObject(QStringLiteral("data"), getJsonArray(names));
    d->runScript(QStringLiteral("setLegendClicked(%1)")
                                     .arg(getJsonString(getJsonArrayObject(QStringLiteral("legend"), legend))));
}

void KzChartLineZoom::getPixelByLogic(const double &x)
{
    KZCHART_ON_OWN_THREAD(getPixelByLogic(x));
    const QJsonObject logic{{QStringLiteral("data"), x}};
    d->runScript(QStringLiteral("getPixelByLogic(%1)")
                                     .arg(getJsonString(getJsonArrayObject(QStringLiteral("data"), logic))));
}

void KzChartLineZoom::clickedSeries(const QString &name)
{
    KZCHART_ON_OWN_THREAD(clickedSeries(name));
    d->relay([=] { emit seriesClicked(name); });
}

void KzChartLineZoom::clickedLegend(const QString &name, bool bSelected)
{
    KZCHART_ON_OWN_THREAD(clickedLegend(name, bSelected));
    d->relay([=] { emit legendClicked(QStringList{name}, bSelected); });
}

void KzChartLineZoom::dbClickedLine(const QString &point, const int &start, const int &end)
{
    KZCHART_ON_OWN_THREAD(dbClickedLine(point, start, end));
    d->relay([=] { emit lineDBClicked(point, start, end); });
}

void KzChartLineZoom::appendDatas(const QStringList &categories, const QList<QList<double>> &values)
{
    KZCHART_ON_OWN_THREAD(appendDatas(categories, values));
    d->live.appendCategories(categories, values, true);
}

void KzChartLineZoom::appendDatas(const SeriesMap &points)
{
    KZCHART_ON_OWN_THREAD(appendDatas(points));
    d->live.appendNamed(points);
}
