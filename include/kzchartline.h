#ifndef KZCHARTLINE_H
#define KZCHARTLINE_H

#include "kzchartglobal.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartLine
    \brief A line chart: one or more line series over a category x axis
    (text labels) or a numeric x axis ((x, y) points), against a numeric
    y axis.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the
    page, which merges it into what earlier calls left; nothing is ever taken
    away, so a setDatas() with fewer series than an earlier one leaves the
    surplus series on the chart.

    Series are named by position after the names of the last setLegends()
    call; setDatas() with a different number of series than there are names
    is ignored. Set the legends first, then the data.

    A click on an x-axis label emits categoryClicked() with the label; a
    double click on a point emits seriesClicked() with that data item's name,
    which on a category axis is the point's category label (not the series
    name). A double click on the empty plot area emits nothing.

    \par Tooltip mode
    setToolTip() always switches the tooltip to item mode: hovering a point
    shows that point alone. Its mode argument is handed to the page first
    (as the page call setToolTipFlag(mode)); the line chart page accepts and
    remembers it (as the page global toolTipFlag) but gives it no visible
    meaning, so every mode, negative ones included, shows the same item
    tooltip, and the call raises no script error.

    \par Point series
    setDatas() with (x, y) pairs sends x as a whole number truncated toward
    zero (2.9 becomes 2, -2.9 becomes -2) and y as it is. An x beyond the
    32-bit range is clamped to the nearest end of it (-2147483648 or
    2147483647, infinities included). An x that is NaN is sent as null: the
    page skips that point and breaks the line there, as for any missing value.
    A y that is NaN or infinite is sent as null as well, and so is any such
    value given to setDatas() or setValueRange().

    Label clicks survive switching the x axis to numbers and back: the page
    makes the labels of a category axis clickable again whenever an axis
    arrives.

    \par Long series
    A series of more than 5000 points, in ascending x order, is drawn reduced
    to the lowest and highest point of every pixel column in view (redone on
    zoom and resize), without animation and with a symbol only on the point
    under the mouse: every peak stays visible and tooltips and double clicks
    report real points, while 100k points draw in well under a second.
    Series of up to 5000 points are drawn as they always are.

    The points of a longer series travel to the page as binary numbers,
    which the page fetches while it goes on answering the host and the mouse:
    such a setDatas() returns in about a millisecond per 100k points, and the
    chart shows the series a moment later. Calls made after it still take
    effect after it. This needs the library loaded before the QApplication
    is created, as it is for an application linked to it; loaded later (by a
    plugin), the library sends every series as script text, which is slower
    but draws the same.

    Over categories a series longer than both the categories and 2000 values
    keeps only the values that have a category, and with more than 1000
    categories only the labels that fit are shown, whatever the interval.
    Texts longer than 4096 characters are drawn cut short, legends show at
    most 1000 entries, and all texts show as typed, markup included.
*/
class KZCHARTWIDGET_EXPORT KzChartLine : public QWidget
{
    Q_OBJECT

public:
    //! Builds the chart and loads its page; setters may be called as soon as
    //! it returns.
    explicit KzChartLine(QWidget *parent = nullptr);
    //! Destroys the chart and its page.
    ~KzChartLine() override;

    //! Sets the title above the chart; the text is shown as it is.
    void setTitle(const QString &text);
    //! Sets the smaller line under the title.
    void setSubTitle(const QString &subtext);
    //! Sets the palette, one CSS colour ("#c23531", "red"...) per series in
    //! order; it repeats when there are more series than colours.
    void setColors(const QStringList &colors);

    //! Makes the x axis a category axis with these labels. \a bOnZero puts
    //! the axis line on the y axis' zero; \a interval is the label interval
    //! (0 shows every label).
    void setCategories(const QStringList &categories, bool bOnZero, int interval);
    //! Makes the x axis numeric, from \a min to \a max in about
    //! \a splitNumber steps of at least \a minInterval. Labels sent earlier
    //! are ignored by it.
    void setCategories(int min, int max, int splitNumber, double minInterval);
    //! Sets one series of whole-number values per legend entry, one value
    //! per category label. Ignored unless there are as many series as names
    //! given to the last setLegends(); surplus earlier series stay.
    void setDatas(const QList<QList<int>> &datas);
    //! As the whole-number form; NaN and infinite values are sent as null and
    //! break the line.
    void setDatas(const QList<QList<double>> &datas);
    //! Sets one series of (x, y) points per inner list, drawn with larger
    //! symbols, for a numeric x axis (see the class description for x).
    void setDatas(const QList<QList<QPair<double, double>>> &datas);
    //! Sets the legend entries, which also name the series of later
    //! setDatas() calls by position and give their expected number. \a y is
    //! the legend's vertical position, as ECharts reads it ("bottom", "top",
    //! "5%", a pixel number...).
    void setLegends(const QStringList &legends, const QString &y);
    //! Sets the plot area's bottom margin (\a bottom: "15%", "60"...);
    //! \a bContainLabel keeps the axis labels inside the plot area.
    void setGrid(const QString &bottom, bool bContainLabel);
    //! Switches the tooltip to item mode; see the class description for
    //! \a mode.
    void setToolTip(int mode);
    //! Shows or hides the slider zoom bars under the x axis and beside the
    //! y axis. Zooming with the mouse wheel and panning by dragging stay on.
    void setDataZoom(bool bShow);
    //! Sets the y axis' range from \a min to \a max in about
    //! \a splitNumber steps of at least \a minInterval; keeps its type,
    //! boundary gap and direction.
    void setValueRange(double min, double max, int splitNumber, double minInterval);
    //! Makes the y axis a value axis; \a bBoundaryGap leaves a gap at both
    //! ends of the axis, \a bInverse puts its lowest value at the top.
    void setValues(bool bBoundaryGap, bool bInverse);

Q_SIGNALS:
    //! The user clicked the x-axis label \a category.
    void categoryClicked(const QString &category);
    //! The user double-clicked a point; \a name is the point's data item
    //! name (its category label on a category axis), not the series name.
    void seriesClicked(const QString &name);

public Q_SLOTS:
    //! Called by the page when an x-axis label is clicked; emits
    //! categoryClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedCategory(const QString &category);
    //! Called by the page when a point is double-clicked; emits
    //! seriesClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedSeries(const QString &name);

private:
    void setChartOption(const QString &json);
    QString getTypeString();
    void setToolTipFlag(const QString &flag);
    template <typename T>
    void sendSeries(const QList<QList<T>> &datas);

    QWebEngineView *m_webView = nullptr;
    QStringList m_legends;

    Q_DISABLE_COPY(KzChartLine)
};

#endif // KZCHARTLINE_H
