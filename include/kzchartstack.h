#ifndef KZCHARTSTACK_H
#define KZCHARTSTACK_H

#include "kzchartglobal.h"

#include <QList>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartStack
    \brief A stacked bar chart: one bar per category, made of one segment per
    legend entry, horizontal by default or upright.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Series are named by position after the names of the last setLegends()
    call; setDatas() with a different number of rows than there are names is
    ignored. All series share one stack, named by the translatable text "总量".
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
class KZCHARTWIDGET_EXPORT KzChartStack : public QWidget
{
    Q_OBJECT

public:
    //! Builds the chart and loads its page; setters may be called as soon as
    //! it returns.
    explicit KzChartStack(QWidget *parent = nullptr);
    //! Destroys the chart and its page.
    ~KzChartStack() override;

    //! Sets the title above the chart; the text is shown as it is.
    void setTitle(const QString &text);
    //! Sets the smaller line under the title.
    void setSubTitle(const QString &subtext);
    //! Sets the palette, one CSS colour ("#c23531", "red"...) per series in
    //! order; it repeats when there are more series than colours.
    void setColors(const QStringList &colors);
    //! Shows or hides the toolbox back button, hidden at first.
    void setToolBackVisible(bool visible);

    //! Sets the category labels on the axis that holds the categories at
    //! the time of the call (the y axis while horizontal), one per bar.
    void setCategories(const QStringList &categories);
    //! Lays the bars horizontally (true, the default) or upright (false) by
    //! swapping the axis types. The chart rebuilds both axes, so call
    //! setCategories() again afterwards.
    void setHorizontal(bool bHorizontal);
    //! Sets the legend entries, which also name the series of later
    //! setDatas() calls by position and give their expected number;
    //! \a bSelectable false stops the user from switching series off
    //! through the legend, for good (see the class description).
    void setLegends(const QStringList &legends, bool bSelectable);
    //! Sets one row of whole-number values per legend entry, each value the
    //! segment of one category's bar. Ignored unless there are as many rows
    //! as names given to the last setLegends().
    void setDatas(const QList<QList<int>> &datas);
    //! As the whole-number form; NaN and infinite values are sent as null and
    //! leave their segment out.
    void setDatas(const QList<QList<double>> &datas);

Q_SIGNALS:
    //! The user clicked the category label \a category.
    void categoryClicked(const QString &category);
    //! The user clicked the toolbox back button.
    void toolBackClicked();

public Q_SLOTS:
    //! Called by the page when a category label is clicked; emits
    //! categoryClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedCategory(const QString &category);
    //! Called by the page when the back button is clicked; emits
    //! toolBackClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedToolBack();

private:
    void setChartOption(const QString &json);
    QString getTypeString();
    template <typename T>
    void sendSeries(const QList<QList<T>> &datas);

    QWebEngineView *m_webView = nullptr;
    QStringList m_legends;
    bool m_bHorizontal = true;

    Q_DISABLE_COPY(KzChartStack)
};

#endif // KZCHARTSTACK_H
