#include "kzchartline.h"

#include "kzcharthost.h"
#include "kzchartjson.h"

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

KzChartLine::KzChartLine(QWidget *parent)
    : QWidget(parent)
{
    m_webView = createChartView(this);
    loadChartPage(this, m_webView, chartPageUrl(QStringLiteral("line.html")));
}

KzChartLine::~KzChartLine() = default;

void KzChartLine::setTitle(const QString &text)
{
    setChartOption(getJsonString(titleFragment(text)));
}

void KzChartLine::setSubTitle(const QString &subtext)
{
    setChartOption(getJsonString(subTitleFragment(subtext)));
}

void KzChartLine::setColors(const QStringList &colors)
{
    setChartOption(getJsonString(colorsFragment(colors)));
}

void KzChartLine::setCategories(const QStringList &categories, bool bOnZero, int interval)
{
    // The labels are written apart from the axis: there may be 100k of them.
    QJsonObject axis = getCategoryAxis(QStringList(), bOnZero, interval);
    axis.remove(QStringLiteral("data"));
    setChartOption(getLabelledComponentString(QStringLiteral("xAxis"), axis, categories));
}

void KzChartLine::setCategories(int min, int max, int splitNumber, double minInterval)
{
    QJsonObject axis = getRangeAxis(min, max, splitNumber, minInterval);
    axis.insert(QStringLiteral("type"), QStringLiteral("value"));
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("xAxis"), axis)));
}

template <typename T>
void KzChartLine::sendSeries(const QList<QList<T>> &datas)
{
    if (datas.size() != m_legends.size())
        return;
    if constexpr (std::is_same_v<T, Point>) {
        const auto writeRow = [&datas](JsonWriter &writer, int row) { writeLineData(writer, datas.at(row), truncatedX); };
        setChartOption(getSeriesString(m_legends, getTypeString(), writeRow,
                                       QJsonObject{{QStringLiteral("symbolSize"), 10}}));
    } else {
        const auto writeRow = [&datas](JsonWriter &writer, int row) { writeLineData(writer, datas.at(row)); };
        setChartOption(getSeriesString(m_legends, getTypeString(), writeRow));
    }
}

void KzChartLine::setDatas(const QList<QList<int>> &datas)
{
    sendSeries(datas);
}

void KzChartLine::setDatas(const QList<QList<double>> &datas)
{
    sendSeries(datas);
}

void KzChartLine::setDatas(const QList<QList<QPair<double, double>>> &datas)
{
    sendSeries(datas);
}

void KzChartLine::setLegends(const QStringList &legends, const QString &y)
{
    m_legends = legends;
    QJsonObject legend;
    legend.insert(QStringLiteral("y"), y);
    legend.insert(QStringLiteral("data"), getJsonArray(legends));
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("legend"), legend)));
}

void KzChartLine::setGrid(const QString &bottom, bool bContainLabel)
{
    QJsonObject grid;
    grid.insert(QStringLiteral("bottom"), bottom);
    grid.insert(QStringLiteral("containLabel"), bContainLabel);
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("grid"), grid)));
}

void KzChartLine::setToolTip(int mode)
{
    setToolTipFlag(QString::number(mode));
    const QJsonObject tooltip = getJsonObject(QStringLiteral("trigger"), QStringLiteral("item"));
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("tooltip"), tooltip)));
}

void KzChartLine::setDataZoom(bool bShow)
{
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
    setChartOption(getJsonString(getJsonObject(QStringLiteral("dataZoom"), getJsonArray(zooms))));
}

void KzChartLine::setValueRange(double min, double max, int splitNumber, double minInterval)
{
    setChartOption(getJsonString(
            getJsonArrayObject(QStringLiteral("yAxis"), getRangeAxis(min, max, splitNumber, minInterval))));
}

void KzChartLine::setValues(bool bBoundaryGap, bool bInverse)
{
    setChartOption(getJsonString(
            getJsonArrayObject(QStringLiteral("yAxis"), getValueAxis(bBoundaryGap, bInverse))));
}

void KzChartLine::clickedCategory(const QString &category)
{
    relay(this, [=] { emit categoryClicked(category); });
}

void KzChartLine::clickedSeries(const QString &name)
{
    relay(this, [=] { emit seriesClicked(name); });
}

void KzChartLine::setChartOption(const QString &json)
{
    sendChartOption(m_webView, json);
}

QString KzChartLine::getTypeString()
{
    return QStringLiteral("line");
}

void KzChartLine::setToolTipFlag(const QString &flag)
{
    runPageScript(m_webView, QStringLiteral("setToolTipFlag(%1)").arg(flag));
}
