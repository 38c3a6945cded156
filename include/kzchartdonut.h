#ifndef KZCHARTDONUT_H
#define KZCHARTDONUT_H

#include "kzchartglobal.h"

#include <QList>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartDonut
    \brief A ring chart of whole-number values, one segment per legend entry,
    with a two-line label in the middle of the ring.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Segments are named by position after the names of the last setLegends()
    call; setDatas() with a different number of values than there are names is
    ignored. Set the legends first, then the values.

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
class KZCHARTWIDGET_EXPORT KzChartDonut : public QWidget
{
    Q_OBJECT

public:
    //! Builds the chart and loads its page; setters may be called as soon as
    //! it returns.
    explicit KzChartDonut(QWidget *parent = nullptr);
    //! Destroys the chart and its page.
    ~KzChartDonut() override;

    //! Sets the title above the chart; the text is shown as it is.
    void setTitle(const QString &text);
    //! Sets the smaller line under the title.
    void setSubTitle(const QString &subtext);
    //! Sets the palette, one CSS colour ("#c23531", "red"...) per segment in
    //! order; it repeats when there are more segments than colours.
    void setColors(const QStringList &colors);
    //! Shows or hides the toolbox back button, hidden at first.
    void setToolBackVisible(bool visible);

    //! Sets the legend entries, which also name the segments of later
    //! setDatas() calls by position and give their expected number; \a bShow
    //! shows or hides the legend, and \a bSelectable false stops the user
    //! from switching segments off through it, for good (see the class
    //! description).
    void setLegends(const QStringList &legends, bool bShow, bool bSelectable);
    //! Sets one whole-number value per legend entry, in legend order. Ignored
    //! unless there are as many values as names given to the last
    //! setLegends().
    void setDatas(const QList<int> &datas);
    //! Sets the series name; the donut's tooltip does not show it.
    void setDatasName(const QString &name);
    //! Sets the two lines of the centre label: \a topText small and grey
    //! over \a bottomText larger and dark. Both go into the label's
    //! rich-text markup as they are (see the class description).
    void setLabel(const QString &topText, const QString &bottomText);
    //! Shows or hides the tooltip, shown at first.
    void setTooltip(bool bShow);

Q_SIGNALS:
    //! The user clicked the segment named \a category.
    void categoryClicked(const QString &category);
    //! The user clicked the toolbox back button.
    void toolBackClicked();

public Q_SLOTS:
    //! Called by the page when a segment is clicked; emits
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

    Q_DISABLE_COPY(KzChartDonut)
};

#endif // KZCHARTDONUT_H
