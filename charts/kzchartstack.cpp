#include "kzchartstack.h"

#include "kzchartcore.h"
#include "kzchartexport.h"
#include "kzchartfragments.h"
#include "kzchartjson.h"

using namespace KzChartHost;

/*!
    \class KzChartStack
    \brief A stacked bar chart: one bar per category, made of one segment per
    legend entry, horizontal by default or upright.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Series are named by position after the names of the last setLegends()
    call; setDatas() with a different number of rows than there are names is refused with a
    warning in the logging category "kzchart". All series share one stack, named by the translatable text "总量".
    Hovering a category shades its band and lists the values of every series.

    Orientation: the bars run horizontally (categories on the y axis) until
    setHorizontal(false) turns them upright (categories on the x axis).
    setCategories() fills whichever axis holds the categories at the time of
    the call. setHorizontal() changes only the axis types, and the chart
    rebuilds an axis whose type changes from scratch, so labels sent earlier
    do not follow: call setCategories() again after setHorizontal(). The
    complete order is setHorizontal() (only to turn the bars upright),
    setCategories(), setLegends(), setDatas().

    A click on a category label emits categoryClicked() with the label, in
    both orientations: the page keeps the labels of the category axis, and
    only those, clickable whenever an axis changes. setToolBackVisible() shows
    and hides the same toolbox back button as on the other charts, hidden at
    first; a click on it emits toolBackClicked().

    Turning legend selection off with setLegends(legends, false) lasts: a
    later call with bSelectable true leaves the selection mode as it is.

    A series of more than 2000 values is drawn as one shape, without a
    highlight for the bar under the mouse, and keeps only the values that
    have a category; with more than 1000 categories only the labels that fit
    are shown. Texts longer than 4096 characters are drawn cut short, legends
    show at most 1000 entries, and all texts show as typed, markup included.
*/

class KzChartStackPrivate : public KzChartPrivate
{
public:
    using KzChartPrivate::KzChartPrivate;

    static QString categoryAxisKey(bool bHorizontal)
    {
        return bHorizontal ? QStringLiteral("yAxis") : QStringLiteral("xAxis");
    }

    template <typename T>
    void sendSeries(const QList<QList<T>> &datas)
    {
        if (!acceptRows("setDatas", datas.size()))
            return;
        data.setRows(legends, datas);
        const QJsonObject stack = getJsonObject(QStringLiteral("stack"), KzChartStack::tr("总量"));
        sendOption(getSeriesFragment(legends, QStringLiteral("bar"), datas, stack));
    }

    bool horizontal = true;
};

KzChartStack::KzChartStack(QWidget *parent)
    : QWidget(parent), d(new KzChartStackPrivate(this))
{
    KzChartPrivate::load(d.get(), QStringLiteral("stackBar.html"));
}

KzChartStack::~KzChartStack() = default;

KZCHART_DEFINE_COMMON(KzChartStack)
KZCHART_DEFINE_TITLES(KzChartStack)
KZCHART_DEFINE_TOOLBACK(KzChartStack)
KZCHART_DEFINE_EXPORTS(KzChartStack)

bool KzChartStack::isHorizontal() const
{
    KZCHART_RETURN_FROM_OWN_THREAD(isHorizontal());
    return d->horizontal;
}

void KzChartStack::setCategories(const QStringList &categories)
{
    KZCHART_ON_OWN_THREAD(setCategories(categories));
    d->data.categories = categories;
    d->sendOption(getLabelledComponentString(KzChartStackPrivate::categoryAxisKey(d->horizontal),
            getJsonObject(QStringLiteral("type"), QStringLiteral("category")), categories));
}

void KzChartStack::setHorizontal(bool bHorizontal)
{
    KZCHART_ON_OWN_THREAD(setHorizontal(bHorizontal));
    d->horizontal = bHorizontal;
    QJsonObject axes;
    axes.insert(KzChartStackPrivate::categoryAxisKey(bHorizontal),
                getJsonObject(QStringLiteral("type"), QStringLiteral("category")));
    axes.insert(KzChartStackPrivate::categoryAxisKey(!bHorizontal),
                getJsonObject(QStringLiteral("type"), QStringLiteral("value")));
    d->sendOption(getJsonString(axes));
}

void KzChartStack::setLegends(const QStringList &legends, bool bSelectable)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends, bSelectable));
    d->legends = legends;
    d->sendOption(getJsonString(selectableLegendFragment(legends, bSelectable)));
}

void KzChartStack::setDatas(const QList<QList<int>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartStack::setDatas(const QList<QList<double>> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSeries(datas);
}

void KzChartStack::clickedCategory(const QString &category)
{
    KZCHART_ON_OWN_THREAD(clickedCategory(category));
    d->relay([=] { emit categoryClicked(category); });
}

void KzChartStack::clickedToolBack()
{
    KZCHART_ON_OWN_THREAD(clickedToolBack());
    d->relay([=] { emit toolBackClicked(); });
}
