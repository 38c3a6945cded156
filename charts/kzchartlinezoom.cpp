#include "kzchartlinezoom.h"

#include "kzcharthost.h"
#include "kzchartjson.h"

using namespace KzChartHost;

namespace {

using Points = QList<QPair<double, double>>;

// option plus "series" (items[i] with points[i] as its data) and, on a label
// axis, "xAxis" ([labelAxis] with labels as its data), as the page's text.
// Points and labels go from the lists to text directly: building JSON values
// for 100k points first would cost several times the writing.
QString getOptionString(const QJsonObject &option, const QList<QJsonObject> &items, const QList<Points> &points,
                        const QJsonObject &labelAxis = QJsonObject(), const QStringList &labels = QStringList())
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
    return writer.text();
}

} // namespace

KzChartLineZoom::KzChartLineZoom(QWidget *parent)
    : QWidget(parent)
{
    m_webView = createChartView(this);
    loadChartPage(this, m_webView, chartPageUrl(QStringLiteral("lineZoom.html")));
}

KzChartLineZoom::~KzChartLineZoom() = default;

void KzChartLineZoom::setOption(int toolTipMode, const QStringList &legends, const QString &legendY,
                                bool showDataZoom, int zoomStart, int zoomEnd,
                                const QString &gridLeft, const QString &gridTop, const QString &gridRight,
                                const QString &gridBottom, bool containLabel,
                                const QStringList &categories, bool onZero, int labelInterval,
                                double yMin, double yMax, int ySplitNumber, double yMinInterval,
                                const SeriesMap &datas, const AlarmMap &alarms,
                                const QString &title, const QString &subtitle)
{
    QJsonObject option = getCommonOption(toolTipMode, legends, legendY, showDataZoom, zoomStart, zoomEnd,
                                         gridLeft, gridTop, gridRight, gridBottom, containLabel);
    option.insert(QStringLiteral("title"), setTitle(title, subtitle));
    option.insert(QStringLiteral("yAxis"), setValueRange(yMin, yMax, ySplitNumber, yMinInterval));
    // The labels are written apart from the axis, like the points.
    QJsonObject labelAxis = setCategories(QStringList(), onZero, labelInterval).at(0).toObject();
    labelAxis.remove(QStringLiteral("data"));
    // getCommonOption() has remembered legends: they name and count the series.
    setChartOption(getOptionString(option, getSeriesItems(datas, alarms), getSeriesPoints(datas), labelAxis,
                                   categories),
                   toolTipMode);
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
    QJsonObject yAxis = setValues(yBoundaryGap, yInverse).at(0).toObject();
    const QJsonObject range = setValueRange(yMin, yMax, ySplitNumber, yMinInterval).at(0).toObject();
    for (auto it = range.begin(); it != range.end(); ++it)
        yAxis.insert(it.key(), it.value());

    QJsonObject option = getCommonOption(toolTipMode, legends, legendY, showDataZoom, zoomStart, zoomEnd,
                                         gridLeft, gridTop, gridRight, gridBottom, containLabel);
    option.insert(QStringLiteral("xAxis"), setCategories(xMin, xMax, xSplitNumber, xMinInterval));
    option.insert(QStringLiteral("yAxis"), getJsonArray(QList<QJsonObject>{yAxis}));
    setChartOption(getOptionString(option, getSeriesItems(datas, AlarmMap()), getSeriesPoints(datas)),
                   toolTipMode);
}

QJsonObject KzChartLineZoom::getCommonOption(int toolTipMode, const QStringList &legends,
                                             const QString &legendY, bool showDataZoom, int zoomStart,
                                             int zoomEnd, const QString &gridLeft, const QString &gridTop,
                                             const QString &gridRight, const QString &gridBottom,
                                             bool containLabel)
{
    QJsonObject option;
    option.insert(QStringLiteral("tooltip"), setToolTip(toolTipMode));
    option.insert(QStringLiteral("legend"), setLegends(legends, legendY));
    option.insert(QStringLiteral("dataZoom"), setDataZoom(showDataZoom, zoomStart, zoomEnd));
    option.insert(QStringLiteral("grid"), setGrid(gridLeft, gridTop, gridRight, gridBottom, containLabel));
    return option;
}

QJsonArray KzChartLineZoom::setTitle(const QString &text, const QString &subtext)
{
    QJsonObject title;
    title.insert(QStringLiteral("text"), text);
    title.insert(QStringLiteral("subtext"), subtext);
    title.insert(QStringLiteral("left"), QStringLiteral("center"));
    return getJsonArray(QList<QJsonObject>{title});
}

QJsonArray KzChartLineZoom::setToolTip(int toolTipMode)
{
    Q_UNUSED(toolTipMode)
    // One data item per tooltip: the page's formatter describes one point.
    return getJsonArray(QList<QJsonObject>{getJsonObject(QStringLiteral("trigger"), QStringLiteral("item"))});
}

QJsonArray KzChartLineZoom::setLegends(const QStringList &legends, const QString &y)
{
    m_legends = legends;
    QJsonObject legend;
    legend.insert(QStringLiteral("y"), y);
    legend.insert(QStringLiteral("type"), QStringLiteral("scroll"));
    legend.insert(QStringLiteral("data"), getJsonArray(legends));
    return getJsonArray(QList<QJsonObject>{legend});
}

QJsonArray KzChartLineZoom::setGrid(const QString &left, const QString &top, const QString &right,
                                    const QString &bottom, bool containLabel)
{
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
    // Dates are points in time: no gap before the first, ticks on the labels.
    QJsonObject axis = getCategoryAxis(categories, onZero, interval);
    axis.insert(QStringLiteral("boundaryGap"), false);
    axis.insert(QStringLiteral("axisTick"), getJsonObject(QStringLiteral("alignWithLabel"), true));
    return getJsonArray(QList<QJsonObject>{axis});
}

QJsonArray KzChartLineZoom::setCategories(int min, int max, int splitNumber, double minInterval)
{
    QJsonObject axis = getRangeAxis(min, max, splitNumber, minInterval);
    axis.insert(QStringLiteral("type"), QStringLiteral("value"));
    return getJsonArray(QList<QJsonObject>{axis});
}

QJsonArray KzChartLineZoom::setValueRange(double min, double max, int splitNumber, double minInterval)
{
    return getJsonArray(QList<QJsonObject>{getRangeAxis(min, max, splitNumber, minInterval)});
}

QJsonArray KzChartLineZoom::setValues(bool boundaryGap, bool inverse)
{
    return getJsonArray(QList<QJsonObject>{getValueAxis(boundaryGap, inverse)});
}

QJsonArray KzChartLineZoom::setDatas(const SeriesMap &datas, const AlarmMap &alarms)
{
    QList<QJsonObject> series = getSeriesItems(datas, alarms);
    const QList<Points> points = getSeriesPoints(datas);
    for (int i = 0; i < series.size(); ++i)
        series[i].insert(QStringLiteral("data"), getJsonArrayPair(points.at(i)));
    return getJsonArray(series);
}

QList<QJsonObject> KzChartLineZoom::getSeriesItems(const SeriesMap &datas, const AlarmMap &alarms)
{
    QList<QJsonObject> series;
    if (datas.size() != m_legends.size())
        return series;
    for (const QString &name : qAsConst(m_legends)) {
        QJsonObject item;
        item.insert(QStringLiteral("name"), name);
        item.insert(QStringLiteral("type"), getTypeString());
        item.insert(QStringLiteral("symbolSize"), 5);
        // Ascending values: the greatest alarm that names the point wins. A
        // value that is not a finite number has no place on the axis.
        for (auto it = alarms.begin(); it != alarms.end(); ++it) {
            if (qIsFinite(it.key()) && it.value().second.contains(name))
                item.insert(QStringLiteral("markLine"), getAlarmLine(it.key(), it.value().first, alarms.size() == 1));
        }
        series.append(item);
    }
    return series;
}

QList<QList<QPair<double, double>>> KzChartLineZoom::getSeriesPoints(const SeriesMap &datas)
{
    QList<Points> points;
    for (const QString &name : qAsConst(m_legends))
        points.append(datas.value(name));
    return points;
}

QJsonObject KzChartLineZoom::getAlarmLine(double value, const QStringList &labelNames, bool onlyAlarm)
{
    // A lone alarm with a lone name reads "报警值: v"; otherwise the label
    // lists whom the alarm is for. QString::number always writes the C locale: "1.5", "1.23457e+06".
    const QString number = QString::number(value, 'g', 6);
    const QString text = onlyAlarm && labelNames.size() == 1
            ? tr("报警值: %1").arg(number)
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

template <typename T>
void KzChartLineZoom::sendSeries(const QList<QList<T>> &datas, const QJsonObject &extra)
{
    if (datas.size() != m_legends.size())
        return;
    const auto writeRow = [&datas](JsonWriter &writer, int row) { writeLineData(writer, datas.at(row)); };
    setChartOption(getSeriesString(m_legends, getTypeString(), writeRow, extra), 0);
}

void KzChartLineZoom::setDatas(const QList<QList<int>> &datas)
{
    sendSeries(datas, getJsonObject(QStringLiteral("smooth"), false));
}

void KzChartLineZoom::setDatas(const QList<QList<double>> &datas)
{
    sendSeries(datas, QJsonObject());
}

void KzChartLineZoom::setColors(const QStringList &colors)
{
    setChartOption(getJsonString(colorsFragment(colors)), 0);
}

void KzChartLineZoom::setDepthDate(const DepthMap &depths)
{
    // An empty map leaves the call without an argument, which clears the
    // page's records.
    runPageScript(m_webView, QStringLiteral("setDepthDate(%1)").arg(getDepthDateString(depths)));
}

QString KzChartLineZoom::getDepthDateString(const DepthMap &depths)
{
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
    const QJsonObject legend = getJsonObject(QStringLiteral("data"), getJsonArray(names));
    runPageScript(m_webView, QStringLiteral("setLegendClicked(%1)")
                                     .arg(getJsonString(getJsonArrayObject(QStringLiteral("legend"), legend))));
}

void KzChartLineZoom::getPixelByLogic(const double &x)
{
    const QJsonObject logic{{QStringLiteral("data"), x}};
    runPageScript(m_webView, QStringLiteral("getPixelByLogic(%1)")
                                     .arg(getJsonString(getJsonArrayObject(QStringLiteral("data"), logic))));
}

void KzChartLineZoom::clickedSeries(const QString &name)
{
    relay(this, [=] { emit seriesClicked(name); });
}

void KzChartLineZoom::clickedLegend(const QString &name, bool bSelected)
{
    relay(this, [=] { emit legendClicked(QStringList{name}, bSelected); });
}

void KzChartLineZoom::dbClickedLine(const QString &point, const int &start, const int &end)
{
    relay(this, [=] { emit lineDBClicked(point, start, end); });
}

void KzChartLineZoom::setChartOption(const QString &json, int toolTipMode)
{
    // Both markers are filled in one pass: a second pass would find a "%1"
    // inside the option's texts (a title, a point name) before the "%2".
    runPageScript(m_webView, QStringLiteral("setChartOption(%1, %2)")
                                     .arg(json, QString::number(toolTipMode, 10)));
}

QString KzChartLineZoom::getTypeString()
{
    return QStringLiteral("line");
}

QJsonArray KzChartLineZoom::getJsonArrayPair(const QList<QPair<double, double>> &pairs)
{
    QJsonArray array;
    for (int i = 0; i < pairs.size(); ++i)
        array.append(QJsonArray{pairs.at(i).first, pairs.at(i).second});
    return array;
}
