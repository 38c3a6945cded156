#include "kzchartpie.h"

#include "kzchartexport.h"
#include "kzchartfragments.h"
#include "kzchartjson.h"
#include "kzchartslices.h"

using namespace KzChartHost;

/*!
    \class KzChartPie
    \brief A pie chart of whole-number values, one slice per legend entry.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Slices are named by position after the names of the last setLegends()
    call; setDatas() with a different number of values than there are names is refused with a
    warning in the logging category "kzchart". Set the legends first, then the values. Each slice carries a label
    with its name and value; the tooltip shows the series name (see
    setDatasName()), the slice's name, value and percentage. The legend along
    the bottom scrolls when it is too long.

    A click on a slice emits categoryClicked() with the slice's name, unless
    setSilent(true) made the pie ignore the mouse. A click on the toolbox back
    button (see setToolBackVisible()) emits toolBackClicked().

    Turning legend selection off with setLegends(legends, bShow, false) lasts:
    a later call with bSelectable true leaves the selection mode as it is.

    The page draws at most the first 1000 slices and legend entries, and
    percentages are of the slices drawn; texts longer than 4096 characters
    are drawn cut short. All texts show as typed, markup included.
*/

class KzChartPiePrivate : public KzChartSlicesPrivate
{
public:
    using KzChartSlicesPrivate::KzChartSlicesPrivate;
};

KzChartPie::KzChartPie(QWidget *parent)
    : QWidget(parent), d(new KzChartPiePrivate(this))
{
    KzChartPrivate::load(d.get(), QStringLiteral("pie.html"));
}

KzChartPie::~KzChartPie() = default;

KZCHART_DEFINE_COMMON(KzChartPie)
KZCHART_DEFINE_TITLES(KzChartPie)
KZCHART_DEFINE_TOOLBACK(KzChartPie)
KZCHART_DEFINE_EXPORTS(KzChartPie)

void KzChartPie::setLegends(const QStringList &legends)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends));
    d->legends = legends;
    d->sendOption(getJsonString(getJsonObject(
            QStringLiteral("legend"), getJsonObject(QStringLiteral("data"), getJsonArray(legends)))));
}

void KzChartPie::setLegends(const QStringList &legends, bool bShow, bool bSelectable)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends, bShow, bSelectable));
    d->legends = legends;
    d->sendOption(getJsonString(selectableLegendFragment(legends, bShow, bSelectable)));
}

void KzChartPie::setDatas(const QList<int> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSlices(datas);
}

void KzChartPie::setDatasName(const QString &name)
{
    KZCHART_ON_OWN_THREAD(setDatasName(name));
    d->setSlicesName(name);
}

void KzChartPie::setSilent(bool bSilent)
{
    KZCHART_ON_OWN_THREAD(setSilent(bSilent));
    // A plain object: the page merges it into its one pie series.
    d->sendOption(getJsonString(getJsonObject(
            QStringLiteral("series"), getJsonObject(QStringLiteral("silent"), bSilent))));
}

void KzChartPie::clickedCategory(const QString &category)
{
    KZCHART_ON_OWN_THREAD(clickedCategory(category));
    d->relay([=] { emit categoryClicked(category); });
}

void KzChartPie::clickedToolBack()
{
    KZCHART_ON_OWN_THREAD(clickedToolBack());
    d->relay([=] { emit toolBackClicked(); });
}
