#include "kzchartpie.h"

#include "kzcharthost.h"
#include "kzchartjson.h"

using namespace KzChartHost;

KzChartPie::KzChartPie(QWidget *parent)
    : QWidget(parent)
{
    m_webView = createChartView(this);
    loadChartPage(this, m_webView, chartPageUrl(QStringLiteral("pie.html")));
}

KzChartPie::~KzChartPie() = default;

void KzChartPie::setTitle(const QString &text)
{
    setChartOption(getJsonString(titleFragment(text)));
}

void KzChartPie::setSubTitle(const QString &subtext)
{
    setChartOption(getJsonString(subTitleFragment(subtext)));
}

void KzChartPie::setColors(const QStringList &colors)
{
    setChartOption(getJsonString(colorsFragment(colors)));
}

void KzChartPie::setToolBackVisible(bool visible)
{
    setChartOption(getJsonString(toolBackFragment(visible)));
}

void KzChartPie::setLegends(const QStringList &legends)
{
    m_legends = legends;
    setChartOption(getJsonString(getJsonObject(
            QStringLiteral("legend"), getJsonObject(QStringLiteral("data"), getJsonArray(legends)))));
}

void KzChartPie::setLegends(const QStringList &legends, bool bShow, bool bSelectable)
{
    m_legends = legends;
    setChartOption(getJsonString(selectableLegendFragment(legends, bShow, bSelectable)));
}

void KzChartPie::setDatas(const QList<int> &datas)
{
    if (datas.size() != m_legends.size())
        return;
    setChartOption(slicesString(m_legends, datas));
}

void KzChartPie::setDatasName(const QString &name)
{
    setChartOption(getJsonString(seriesNameFragment(name)));
}

void KzChartPie::setSilent(bool bSilent)
{
    // A plain object: the page merges it into its one pie series.
    setChartOption(getJsonString(getJsonObject(
            QStringLiteral("series"), getJsonObject(QStringLiteral("silent"), bSilent))));
}

void KzChartPie::clickedCategory(const QString &category)
{
    relay(this, [=] { emit categoryClicked(category); });
}

void KzChartPie::clickedToolBack()
{
    relay(this, [=] { emit toolBackClicked(); });
}

void KzChartPie::setChartOption(const QString &json)
{
    sendChartOption(m_webView, json);
}
