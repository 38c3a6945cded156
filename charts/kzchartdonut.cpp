#include "kzchartdonut.h"

#include "kzchartexport.h"
#include "kzchartfragments.h"
#include "kzchartjson.h"
#include "kzchartslices.h"

using namespace KzChartHost;

/*!
    \class KzChartDonut
    \brief A ring chart of whole-number values, one segment per legend entry,
    with a two-line label in the middle of the ring.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Segments are named by position after the names of the last setLegends()
    call; setDatas() with a different number of values than there are names is refused with a
    warning in the logging category "kzchart". Set the legends first, then the values.

    The centre label (setLabel()) shows a small grey upper line over a larger
    dark lower line; it reads 0 over 0 until the first setLabel() and is drawn
    only while the ring has segments. The texts go into the label's rich-text
    markup as they are, so braces and vertical bars in them change the markup
    and chart placeholders such as {b} or {d} are filled in by the chart;
    place markers such as "%1" in either text stay text.

    The tooltip shows a segment's name and percentage; setTooltip(false)
    switches it off until setTooltip(true).

    A click on a segment emits categoryClicked() with the segment's name, as a
    click on a pie slice does on KzChartPie; a click on the centre label
    emits nothing. setToolBackVisible() shows and
    hides the same toolbox back button as on the other charts, hidden at first;
    a click on it emits toolBackClicked().

    Turning legend selection off with setLegends(legends, bShow, false) lasts:
    a later call with bSelectable true leaves the selection mode as it is.

    The page draws at most the first 1000 segments and legend entries, and
    percentages are of the segments drawn; texts longer than 4096 characters
    are drawn cut short. The centre label is the one text that is markup on
    purpose, ECharts' rich-text markup, which is drawn and never run; every
    other text shows as typed.
*/

class KzChartDonutPrivate : public KzChartSlicesPrivate
{
public:
    using KzChartSlicesPrivate::KzChartSlicesPrivate;
};

KzChartDonut::KzChartDonut(QWidget *parent)
    : QWidget(parent), d(new KzChartDonutPrivate(this))
{
    KzChartPrivate::load(d.get(), QStringLiteral("donut.html"));
}

KzChartDonut::~KzChartDonut() = default;

KZCHART_DEFINE_COMMON(KzChartDonut)
KZCHART_DEFINE_TITLES(KzChartDonut)
KZCHART_DEFINE_TOOLBACK(KzChartDonut)
KZCHART_DEFINE_EXPORTS(KzChartDonut)

void KzChartDonut::setLegends(const QStringList &legends, bool bShow, bool bSelectable)
{
    KZCHART_ON_OWN_THREAD(setLegends(legends, bShow, bSelectable));
    d->legends = legends;
    d->sendOption(getJsonString(selectableLegendFragment(legends, bShow, bSelectable)));
}

void KzChartDonut::setDatas(const QList<int> &datas)
{
    KZCHART_ON_OWN_THREAD(setDatas(datas));
    d->sendSlices(datas);
}

void KzChartDonut::setDatasName(const QString &name)
{
    KZCHART_ON_OWN_THREAD(setDatasName(name));
    d->setSlicesName(name);
}

void KzChartDonut::setLabel(const QString &topText, const QString &bottomText)
{
    KZCHART_ON_OWN_THREAD(setLabel(topText, bottomText));
    // Every segment draws this label at the centre of the ring, all on top
    // of each other; the two style names are those of the page's rich block.
    // One pass, so that a "%2" inside topText stays text.
    const QString text = QStringLiteral("{sytleTop|%1}\n{styleBottom|%2}").arg(topText, bottomText);
    const QJsonObject normal = getJsonObject(QStringLiteral("formatter"), text);
    const QJsonObject label = getJsonObject(QStringLiteral("normal"), normal);
    d->sendOption(getJsonString(getJsonArrayObject(QStringLiteral("series"),
                                                   getJsonObject(QStringLiteral("label"), label))));
}

void KzChartDonut::setTooltip(bool bShow)
{
    KZCHART_ON_OWN_THREAD(setTooltip(bShow));
    d->sendOption(getJsonString(getJsonObject(
            QStringLiteral("tooltip"), getJsonObject(QStringLiteral("show"), bShow))));
}

void KzChartDonut::clickedCategory(const QString &category)
{
    KZCHART_ON_OWN_THREAD(clickedCategory(category));
    d->relay([=] { emit categoryClicked(category); });
}

void KzChartDonut::clickedToolBack()
{
    KZCHART_ON_OWN_THREAD(clickedToolBack());
    d->relay([=] { emit toolBackClicked(); });
}
