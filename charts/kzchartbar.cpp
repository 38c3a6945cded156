#include "kzchartbar.h"

#include "kzchartcore.h"
#include "kzchartexport.h"
#include "kzchartjson.h"

using namespace KzChartHost;

/*!
    \class KzChartBar
    \brief A grouped bar chart: categories along the x axis, one bar series
    per legend entry.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the
    page, which merges it into what earlier calls left.

    Series are named by position after the names of the last setLegends()
    call; setDatas() with a different number of rows than there are names is
    refused with a warning in the logging category "kzchart". Set the legends
    first, then the data.

    A click on a category label emits categoryClicked() with the label; a
    click on the toolbox back button (see setToolBackVisible()) emits
    toolBackClicked(). Calling a relay slot directly emits its signal at
    once; a page's call emits it right after the call has been delivered.

    clearChart() removes the bars and the category labels. Title, subtitle,
    legend, colours, grid and the back button stay, and so do the remembered
    legend names, so a drill-down can go on with setCategories() and
    setDatas() straight away.

    The "%1%" that setGrid() builds each margin with is a translatable text.
    Long lists and texts are bounded as the input bounds in the reference
    describe; all texts show as typed, markup included.
*/

class KzChartBarPrivate : public KzChartPrivate
{
public:
    using KzChartPrivate::KzChartPrivate;

    template <typename T>
    void sendSeries(const QList<QList<T>> &datas)
    {
        if (!acceptRows("setDatas", datas.size()))
            return;
        data.setRows(legends, datas);
        sendOption(getSeriesFragment(legends, QStringLiteral("bar"), datas));
    }
};

KzChartBar::KzChartBar(QWidget *parent)
    : QWidget(parent), d(new KzChartBarPrivate(this))
{
    KzChartPrivate::load(d.get(), QStringLiteral("bar.html"));
}

KzChartBar::~KzChartBar() = default;

KZCHART_DEFINE_COMMON(KzChartBar)
KZCHART_DEFINE_TITLES(KzChartBar)
KZCHART_DEFINE_TOOLBACK(KzChartBar)
KZCHART_DEFINE_EXPORTS(KzChartBar)

void KzChartBar::setCategories(const QStringList &categories)
{
    KZCHART_ON_OWN_THREAD(setCategories(categories));
    d->data.categories = categories;
    d->sendOption(getLabelledComponentString(
            QStringLiteral("xAxis"), getJsonObject(QStringLiteral("type"), QStringLiteral("category")), categories));
}

void KzChartBar::setLegends(const QStringList &legends)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends));
    d->legends = legends;
    d->sendOption(getJsonString(getJsonObject(
            QStringLiteral("legend"), getJsonObject(QStringLiteral("data"), getJsonArray(legends)))));
}

void KzChartBar::setLegends(const QStringList &legends, const QString &x, const QString &y,
                            const QString &orient)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends, x, y, orient));
    d->legends = legends;
    QJsonObject legend;
    legend.insert(QStringLiteral("x"), x);
    legend.insert(QStringLiteral("y"), y);
    legend.insert(QStringLiteral("orient"), orient);
    legend.insert(QStringLiteral("data"), getJsonArray(legends));
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("legend"), legend)));
}

void KzChartBar::setDatas(const QList<QList<int>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartBar::setDatas(const QList<QList<double>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartBar::setGrid(int left, int top, int right, int bottom)
{
    KZCHART_ON_OWN_THREAD(setGrid(left, top, right, bottom));
    const QString format = tr("%1%");
    QJsonObject grid;
    grid.insert(QStringLiteral("left"), format.arg(left));
    grid.insert(QStringLiteral("top"), format.arg(top));
    grid.insert(QStringLiteral("right"), format.arg(right));
    grid.insert(QStringLiteral("bottom"), format.arg(bottom));
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("grid"), grid)));
}

void KzChartBar::clearChart()
{
    KZCHART_ON_OWN_THREAD(clearChart());
    d->data = ChartData();
    d->runScript(QStringLiteral("clearChartOption()"));
}

void KzChartBar::clickedCategory(const QString &category)
{
    KZCHART_ON_OWN_THREAD(clickedCategory(category));
    d->relay([=] { emit categoryClicked(category); });
}

void KzChartBar::clickedToolBack()
{
    KZCHART_ON_OWN_THREAD(clickedToolBack());
    d->relay([=] { emit toolBackClicked(); });
}
