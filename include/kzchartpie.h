#ifndef KZCHARTPIE_H
#define KZCHARTPIE_H

#include "kzchartglobal.h"

#include <QList>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartPie
    \brief A pie chart of whole-number values, one slice per legend entry.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Slices are named by position after the names of the last setLegends()
    call; setDatas() with a different number of values than there are names is
    ignored. Set the legends first, then the values. Each slice carries a label
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
class KZCHARTWIDGET_EXPORT KzChartPie : public QWidget
{
    Q_OBJECT

public:
    //! Builds the chart and loads its page; setters may be called as soon as
    //! it returns.
    explicit KzChartPie(QWidget *parent = nullptr);
    //! Destroys the chart and its page.
    ~KzChartPie() override;

    //! Sets the title above the chart; the text is shown as it is.
    void setTitle(const QString &text);
    //! Sets the smaller line under the title.
    void setSubTitle(const QString &subtext);
    //! Sets the palette, one CSS colour ("#c23531", "red"...) per slice in
    //! order; it repeats when there are more slices than colours.
    void setColors(const QStringList &colors);
    //! Shows or hides the toolbox back button, hidden at first.
    void setToolBackVisible(bool visible);

    //! Sets the legend entries, which also name the slices of later
    //! setDatas() calls by position and give their expected number. The
    //! legend keeps its visibility and selection mode.
    void setLegends(const QStringList &legends);
    //! Sets the legend entries, which also name the slices of later
    //! setDatas() calls by position and give their expected number; \a bShow
    //! shows or hides the legend, and \a bSelectable false stops the user
    //! from switching slices off through it, for good (see the class
    //! description).
    void setLegends(const QStringList &legends, bool bShow, bool bSelectable);
    //! Sets one whole-number value per legend entry, in legend order. Ignored
    //! unless there are as many values as names given to the last
    //! setLegends().
    void setDatas(const QList<int> &datas);
    //! Sets the series name, the first line of the tooltip.
    void setDatasName(const QString &name);
    //! A silent pie reacts to no mouse action: no highlight, no tooltip and
    //! no categoryClicked(); setSilent(false) turns the reactions back on.
    void setSilent(bool bSilent);

Q_SIGNALS:
    //! The user clicked the slice named \a category.
    void categoryClicked(const QString &category);
    //! The user clicked the toolbox back button.
    void toolBackClicked();

public Q_SLOTS:
    //! Called by the page when a slice is clicked; emits
    //! categoryClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedCategory(const QString &category);
    //! Called by the page when the back button is clicked; emits
    //! toolBackClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedToolBack();

private:
    void setChartOption(const QString &json);

    QWebEngineView *m_webView = nullptr;
    QStringList m_legends;

    Q_DISABLE_COPY(KzChartPie)
};

#endif // KZCHARTPIE_H
