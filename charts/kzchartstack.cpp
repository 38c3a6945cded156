#include "kzchartstack.h"

#include "kzcharthost.h"
#include "kzchartjson.h"

using namespace KzChartHost;

namespace {

QString categoryAxisKey(bool bHorizontal)
{
    return bHorizontal ? QStringLiteral("yAxis") : QStringLiteral("xAxis");
}

QString valueAxisKey(bool bHorizontal)
{
    return categoryAxisKey(!bHorizontal);
}

} // namespace

KzChartStack::KzChartStack(QWidget *parent)
    : QWidget(parent)
{
    m_webView = createChartView(this);
    loadChartPage(this, m_webView, chartPageUrl(QStringLiteral("stackBar.html")));
}

KzChartStack::~KzChartStack() = default;

void KzChartStack::setTitle(const QString &text)
{
    setChartOption(getJsonString(titleFragment(text)));
}

void KzChartStack::setSubTitle(const QString &subtext)
{
    setChartOption(getJsonString(subTitleFragment(subtext)));
}

void KzChartStack::setColors(const QStringList &colors)
{
    setChartOption(getJsonString(colorsFragment(colors)));
}

void KzChartStack::setToolBackVisible(bool visible)
{
    setChartOption(getJsonString(toolBackFragment(visible)));
}

void KzChartStack::setCategories(const QStringList &categories)
{
    setChartOption(getLabelledComponentString(categoryAxisKey(m_bHorizontal),
            getJsonObject(QStringLiteral("type"), QStringLiteral("category")), categories));
}

void KzChartStack::setHorizontal(bool bHorizontal)
{
    m_bHorizontal = bHorizontal;
    QJsonObject axes;
    axes.insert(categoryAxisKey(bHorizontal), getJsonObject(QStringLiteral("type"), QStringLiteral("category")));
    axes.insert(valueAxisKey(bHorizontal), getJsonObject(QStringLiteral("type"), QStringLiteral("value")));
    setChartOption(getJsonString(axes));
}

void KzChartStack::setLegends(const QStringList &legends, bool bSelectable)
{
    m_legends = legends;
    setChartOption(getJsonString(selectableLegendFragment(legends, bSelectable)));
}

template <typename T>
void KzChartStack::sendSeries(const QList<QList<T>> &datas)
{
    if (datas.size() != m_legends.size())
        return;
    const QJsonObject stack = getJsonObject(QStringLiteral("stack"), tr("总量"));
    setChartOption(getSeriesString(m_legends, getTypeString(), datas, stack));
}

void KzChartStack::setDatas(const QList<QList<int>> &datas)
{
    sendSeries(datas);
}

void KzChartStack::setDatas(const QList<QList<double>> &datas)
{
    sendSeries(datas);
}

void KzChartStack::clickedCategory(const QString &category)
{
    relay(this, [=] { emit categoryClicked(category); });
}

void KzChartStack::clickedToolBack()
{
    relay(this, [=] { emit toolBackClicked(); });
}

void KzChartStack::setChartOption(const QString &json)
{
    sendChartOption(m_webView, json);
}

QString KzChartStack::getTypeString()
{
    return QStringLiteral("bar");
}
