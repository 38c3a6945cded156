#ifndef KZCHARTLINE_H
#define KZCHARTLINE_H

#include "kzchartglobal.h"

#include <QJsonArray>
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

    \section1 Tooltip mode
    setToolTip() always switches the tooltip to item mode: hovering a point
    shows that point alone. Its mode argument is handed to the page first
    (as the page call setToolTipFlag(mode)); the line chart page accepts and
    remembers it (as the page global toolTipFlag) but gives it no visible
    meaning, so every mode, negative ones included, shows the same item
    tooltip, and the call raises no script error.

    \section1 Point series
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

    A series of more than 2000 points is drawn without a symbol per point and
    averaged down to the plot's width in pixels; over categories it keeps
    only the points that have a category, and with more than 1000 categories
    only the labels that fit are shown, whatever the interval. Texts longer
    than 4096 characters are drawn cut short, legends show at most 1000
    entries, and all texts show as typed, markup included.
*/
class KZCHARTWIDGET_EXPORT KzChartLine : public QWidget
{
    Q_OBJECT

public:
    explicit KzChartLine(QWidget *parent = nullptr);
    ~KzChartLine() override;

    void setTitle(const QString &text);
    void setSubTitle(const QString &subtext);
    void setColors(const QStringList &colors);

    // A category x axis with these labels. bOnZero puts the axis line on the
    // y axis' zero; interval is the label interval (0 shows every label).
    void setCategories(const QStringList &categories, bool bOnZero, int interval);
    // A numeric x axis from min to max. Labels sent earlier are ignored by it.
    void setCategories(int min, int max, int splitNumber, double minInterval);
    void setDatas(const QList<QList<int>> &datas);
    void setDatas(const QList<QList<double>> &datas);
    // One series of (x, y) points per inner list, drawn with larger symbols;
    // for a numeric x axis (see the class description for x).
    void setDatas(const QList<QList<QPair<double, double>>> &datas);
    // y is the legend's vertical position, as ECharts reads it ("bottom",
    // "top", "5%", a pixel number...).
    void setLegends(const QStringList &legends, const QString &y);
    // bottom is the plot area's bottom margin ("15%", "60"...); bContainLabel
    // keeps the axis labels inside the plot area.
    void setGrid(const QString &bottom, bool bContainLabel);
    // Switches the tooltip to item mode; see the class description for mode.
    void setToolTip(int mode);
    // Shows or hides the slider zoom bars under the x axis and beside the
    // y axis. Zooming with the mouse wheel and panning by dragging stay on.
    void setDataZoom(bool bShow);
    // The y axis' range; keeps its type, boundary gap and direction.
    void setValueRange(double min, double max, int splitNumber, double minInterval);
    // Makes the y axis a value axis with this boundary gap and direction.
    void setValues(bool bBoundaryGap, bool bInverse);

Q_SIGNALS:
    void categoryClicked(const QString &category);
    void seriesClicked(const QString &name);

public Q_SLOTS:
    // Called by the page; calling them directly emits the same signals.
    void clickedCategory(const QString &category);
    void clickedSeries(const QString &name);

private:
    void setChartOption(const QString &json);
    QString getTypeString();
    QJsonArray getJsonArrayPair(const QList<QPair<double, double>> &pairs);
    void setToolTipFlag(const QString &flag);
    template <typename T>
    void sendSeries(const QList<QList<T>> &datas);

    QWebEngineView *m_webView = nullptr;
    QStringList m_legends;

    Q_DISABLE_COPY(KzChartLine)
};

#endif // KZCHARTLINE_H
