#include "kzchartdonut.h"

#include "kzcharthost.h"
#include "kzchartjson.h"

using namespace KzChartHost;

KzChartDonut::KzChartDonut(QWidget *parent)
    : QWidget(parent)
{
    m_webView = createChartView(this);
    loadChartPage(this, m_webView, chartPageUrl(QStringLiteral("donut.html")));
}

KzChartDonut::~KzChartDonut() = default;

void KzChartDonut::setTitle(const QString &text)
{
    setChartOption(getJsonString(titleFragment(text)));
}

void KzChartDonut::setSubTitle(const QString &subtext)
{
    setChartOption(getJsonString(subTitleFragment(subtext)));
}

void KzChartDonut::setColors(const QStringList &colors)
{
    setChartOption(getJsonString(colorsFragment(colors)));
}

void KzChartDonut::setToolBackVisible(bool visible)
{
    setChartOption(getJsonString(toolBackFragment(visible)));
}

void KzChartDonut::setLegends(const QStringList &legends, bool bShow, bool bSelectable)
{
    m_legends = legends;
    setChartOption(getJsonString(selectableLegendFragment(legends, bShow, bSelectable)));
}

void KzChartDonut::setDatas(const QList<int> &datas)
{
    if (datas.size() != m_legends.size())
        return;
    setChartOption(slicesString(m_legends, datas));
}

void KzChartDonut::setDatasName(const QString &name)
{
    setChartOption(getJsonString(seriesNameFragment(name)));
}

void KzChartDonut::setLabel(const QString &topText, const QString &bottomText)
{
    // Every segment draws this label at the centre of the ring, all on top
    // of each other; the two style names are those of the page's rich block.
    // One pass, so that a "%2" inside topText stays text.
    const QString text = QStringLiteral("{sytleTop|%1}\n{styleBottom|%2}").arg(topText, bottomText);
    const QJsonObject normal = getJsonObject(QStringLiteral("formatter"), text);
    const QJsonObject label = getJsonObject(QStringLiteral("normal"), normal);
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("series"),
                                                    getJsonObject(QStringLiteral("label"), label))));
}

void KzChartDonut::setTooltip(bool bShow)
{
    setChartOption(getJsonString(getJsonObject(
            QStringLiteral("tooltip"), getJsonObject(QStringLiteral("show"), bShow))));
}

void KzChartDonut::clickedCategory(const QString &category)
{
    relay(this, [=] { emit categoryClicked(category); });
}

void KzChartDonut::clickedToolBack()
{
    relay(this, [=] { emit toolBackClicked(); });
}

void KzChartDonut::setChartOption(const QString &json)
{
    sendChartOption(m_webView, json);
}
