#include "kzchartbar.h"

#include "kzcharthost.h"
#include "kzchartjson.h"

using namespace KzChartHost;

KzChartBar::KzChartBar(QWidget *parent)
    : QWidget(parent)
{
    m_webView = createChartView(this);
    loadChartPage(this, m_webView, chartPageUrl(QStringLiteral("bar.html")));
}

KzChartBar::~KzChartBar() = default;

void KzChartBar::setTitle(const QString &text)
{
    setChartOption(getJsonString(titleFragment(text)));
}

void KzChartBar::setSubTitle(const QString &subtext)
{
    setChartOption(getJsonString(subTitleFragment(subtext)));
}

void KzChartBar::setColors(const QStringList &colors)
{
    setChartOption(getJsonString(colorsFragment(colors)));
}

void KzChartBar::setToolBackVisible(bool visible)
{
    setChartOption(getJsonString(toolBackFragment(visible)));
}

void KzChartBar::setCategories(const QStringList &categories)
{
    setChartOption(getLabelledComponentString(
            QStringLiteral("xAxis"), getJsonObject(QStringLiteral("type"), QStringLiteral("category")), categories));
}

void KzChartBar::setLegends(const QStringList &legends)
{
    m_legends = legends;
    setChartOption(getJsonString(getJsonObject(
            QStringLiteral("legend"), getJsonObject(QStringLiteral("data"), getJsonArray(legends)))));
}

void KzChartBar::setLegends(const QStringList &legends, const QString &x, const QString &y,
                            const QString &orient)
{
    m_legends = legends;
    QJsonObject legend;
    legend.insert(QStringLiteral("x"), x);
    legend.insert(QStringLiteral("y"), y);
    legend.insert(QStringLiteral("orient"), orient);
    legend.insert(QStringLiteral("data"), getJsonArray(legends));
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("legend"), legend)));
}

template <typename T>
void KzChartBar::sendSeries(const QList<QList<T>> &datas)
{
    if (datas.size() != m_legends.size())
        return;
    setChartOption(getSeriesString(m_legends, getTypeString(), datas));
}

void KzChartBar::setDatas(const QList<QList<int>> &datas)
{
    sendSeries(datas);
}

void KzChartBar::setDatas(const QList<QList<double>> &datas)
{
    sendSeries(datas);
}

void KzChartBar::setGrid(int left, int top, int right, int bottom)
{
    const QString format = tr("%1%");
    QJsonObject grid;
    grid.insert(QStringLiteral("left"), format.arg(left));
    grid.insert(QStringLiteral("top"), format.arg(top));
    grid.insert(QStringLiteral("right"), format.arg(right));
    grid.insert(QStringLiteral("bottom"), format.arg(bottom));
    setChartOption(getJsonString(getJsonArrayObject(QStringLiteral("grid"), grid)));
}

void KzChartBar::clearChart()
{
    runPageScript(m_webView, QStringLiteral("clearChartOption()"));
}

void KzChartBar::clickedCategory(const QString &category)
{
    relay(this, [=] { emit categoryClicked(category); });
}

void KzChartBar::clickedToolBack()
{
    relay(this, [=] { emit toolBackClicked(); });
}

void KzChartBar::setChartOption(const QString &json)
{
    sendChartOption(m_webView, json);
}

QString KzChartBar::getTypeString()
{
    return QStringLiteral("bar");
}
