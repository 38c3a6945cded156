#ifndef KZCHARTLINEZOOM_H
#define KZCHARTLINEZOOM_H

#include "kzchartglobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartLineZoom
    \brief A monitoring line chart: one line per measuring point, zoom bars on
    both axes, red alarm lines, depth records in the tooltips, legend selection
    in both directions and double-clicks on line segments.

    Configure the whole chart with one setOption() call. Unlike the other
    charts, this page does not merge: every call that reaches it through the
    option bridge (setOption(), setColors() and the list forms of setDatas())
    clears the chart and rebuilds it from the page's base option plus what
    that call carries. setColors() after setOption() therefore leaves only the
    palette; pass everything to setOption() instead.

    The builders (setTitle(), setToolTip(), setLegends(), setGrid(),
    setDataZoom(), both setCategories(), setValueRange(), setValues() and the
    map form of setDatas()) send nothing: each returns the array that becomes
    one key of the option. setOption() calls them in a fixed order and sends
    the result in one page call. setLegends() also remembers the names; the
    series are named, ordered and counted after them.

    Tooltip modes (the first argument of setOption()):
    \list
    \li 1: series name, date (the category label), value and, for every
        record given to setDepthDate() for that point and date, a depth line;
        positive depths are shown negated (3.5 reads -3.5).
    \li 2: a depth profile: series name, "深度" with the y value and "值"
        with the x value.
    \li anything else: empty tooltip boxes.
    \endlist

    Signals: legendClicked() when the user toggles a legend entry (one name
    and whether it is selected now; setLegendClicked() raises none), and
    lineDBClicked() when the user double-clicks close to a line segment (the
    series name and the x keys of the segment's two points; on the category
    axis these are the label indexes, on a numeric axis the x values, which
    arrive rounded to whole numbers). seriesClicked() is raised only by
    calling clickedSeries() directly.

    How the double-click hit test reads a click:
    \list
    \li The tolerance is 0.5 % of the y span that the y zoom bar currently
        shows, so a chart without zoom bars (before setOption(), after
        setColors() or a list setDatas()) reports no double-clicks.
    \li The click's x is taken in the units of the segment's keys by
        interpolating its pixel column between the pixel columns of the
        segment's two points; on the category axis a click halfway between
        labels 3 and 4 is at 3.5, not rounded to a label.
    \li A click must lie between the y values of the segment's two points,
        widened by the tolerance, whether the line rises or falls, and
        horizontally between the two points' pixel columns (left point first).
    \li The first segment of the first series, in series order, that passes
        wins; where lines cross, the earlier series is reported.
    \endlist

    getPixelByLogic() asks the page for the pixel column of an x value on the
    x axis. The page works it out but nothing travels back, so the call has no
    visible effect and changes nothing.

    Clicks on x-axis labels are not reported: the widget has no signal for
    them and the page ignores them.

    Long series are drawn as by KzChartLine: above 5000 points, in ascending
    x order, a series shows the lowest and highest point of every pixel
    column in view, redone on zoom; the double-click hit test then works on
    those points, which are real data points. Their points travel as binary
    numbers, as described for KzChartLine.

    The tooltips show series names, dates and depth texts as typed, markup
    included. An alarm value that is not a finite number gets no line. Texts
    are bounded as on KzChartLine.
*/
class KZCHARTWIDGET_EXPORT KzChartLineZoom : public QWidget
{
    Q_OBJECT

public:
    //! Measuring point name -> its (x, y) points in drawing order.
    using SeriesMap = QMap<QString, QList<QPair<double, double>>>;
    //! Alarm value -> (names shown in the label, points whose lines get it).
    using AlarmMap = QMap<double, QPair<QStringList, QStringList>>;
    //! Measuring point name -> date label -> depth text.
    using DepthMap = QMap<QString, QMap<QString, QString>>;

    //! Builds the chart and loads its page; setters may be called as soon as
    //! it returns.
    explicit KzChartLineZoom(QWidget *parent = nullptr);
    //! Destroys the chart and its page.
    ~KzChartLineZoom() override;

    //! Rebuilds the chart with points over category labels (x is the
    //! label's index), title and alarm lines, in one page call.
    //!
    //! The arguments go to the builders: \a toolTipMode to setToolTip(),
    //! \a legends and \a legendY to setLegends(), \a showDataZoom,
    //! \a zoomStart and \a zoomEnd to setDataZoom(), the four margins and
    //! \a containLabel to setGrid(), \a categories, \a onZero and
    //! \a labelInterval to setCategories(), the y range to setValueRange(),
    //! \a datas and \a alarms to setDatas(), \a title and \a subtitle to
    //! setTitle(). The page then applies tooltip mode \a toolTipMode.
    //! A lone alarm with a lone label name reads "报警值: <value>", a
    //! translatable text; other alarm labels list their names.
    void setOption(int toolTipMode, const QStringList &legends, const QString &legendY,
                   bool showDataZoom, int zoomStart, int zoomEnd,
                   const QString &gridLeft, const QString &gridTop, const QString &gridRight,
                   const QString &gridBottom, bool containLabel,
                   const QStringList &categories, bool onZero, int labelInterval,
                   double yMin, double yMax, int ySplitNumber, double yMinInterval,
                   const SeriesMap &datas,
                   const AlarmMap &alarms,
                   const QString &title, const QString &subtitle);
    //! Rebuilds the chart with points over a numeric x axis from \a xMin to
    //! \a xMax; no title, no alarm lines. The y axis takes its boundary gap
    //! and direction from setValues() and its range from setValueRange();
    //! the other arguments are those of the category form.
    void setOption(int toolTipMode, const QStringList &legends, const QString &legendY,
                   bool showDataZoom, int zoomStart, int zoomEnd,
                   const QString &gridLeft, const QString &gridTop, const QString &gridRight,
                   const QString &gridBottom, bool containLabel,
                   int xMin, int xMax, int xSplitNumber, double xMinInterval,
                   bool yBoundaryGap, bool yInverse,
                   double yMin, double yMax, int ySplitNumber, double yMinInterval,
                   const SeriesMap &datas);

    //! Builds the title, centred, with its smaller second line; sends nothing.
    QJsonArray setTitle(const QString &text, const QString &subtext);
    //! Builds the tooltip; sends nothing. The mode only matters to
    //! setOption(), which hands it to the page.
    QJsonArray setToolTip(int toolTipMode);
    //! Builds the legend at vertical position \a y; sends nothing. Also
    //! remembers \a legends: they name, order and count the series.
    QJsonArray setLegends(const QStringList &legends, const QString &y);
    //! Builds the plot area's margins ("10%", "60"...); \a containLabel
    //! keeps the axis labels inside. Sends nothing.
    QJsonArray setGrid(const QString &left, const QString &top, const QString &right,
                       const QString &bottom, bool containLabel);
    //! Builds four zoom components: x slider (\a start and \a end in
    //! percent), y slider, and mouse-wheel zoom on each axis; \a show shows
    //! the sliders. Sends nothing.
    QJsonArray setDataZoom(bool show, int start, int end);
    //! Builds a category x axis with these labels, its line on the y axis'
    //! zero when \a onZero, every (\a interval + 1)th label shown. Sends
    //! nothing.
    QJsonArray setCategories(const QStringList &categories, bool onZero, int interval);
    //! Builds a numeric x axis from \a min to \a max in about
    //! \a splitNumber steps of at least \a minInterval. Sends nothing.
    QJsonArray setCategories(int min, int max, int splitNumber, double minInterval);
    //! Builds the y axis' range, as setCategories() does for x. Sends nothing.
    QJsonArray setValueRange(double min, double max, int splitNumber, double minInterval);
    //! Builds a value y axis with a gap at both ends when \a boundaryGap and
    //! its lowest value at the top when \a inverse. Sends nothing.
    QJsonArray setValues(bool boundaryGap, bool inverse);

    //! Builds one series per remembered legend name, in legend order; empty
    //! when the map holds a different number of points. A point gets the
    //! alarm line of the greatest alarm value that names it (exact,
    //! case-sensitive). Sends nothing.
    QJsonArray setDatas(const SeriesMap &datas,
                        const AlarmMap &alarms);
    //! Rebuilds the chart with only these plain value series (tooltip
    //! mode 0, no zoom bars); ignored when the row count differs from the
    //! legend count.
    void setDatas(const QList<QList<int>> &datas);
    //! As the whole-number form.
    void setDatas(const QList<QList<double>> &datas);
    //! Rebuilds the chart with only this palette (tooltip mode 0).
    void setColors(const QStringList &colors);

    //! Hands the depth records for mode 1 tooltips to the page; an empty map
    //! clears them. The chart itself is left as it is.
    void setDepthDate(const DepthMap &depths);
    //! Returns the depth records as setDepthDate() sends them; empty for an
    //! empty map.
    QString getDepthDateString(const DepthMap &depths);
    //! Selects exactly the named legend entries until the next rebuild;
    //! raises no legendClicked().
    void setLegendClicked(const QStringList &names);
    //! Asks the page for the pixel column of \a x; nothing comes back (see
    //! the class description).
    void getPixelByLogic(const double &x);

Q_SIGNALS:
    //! Raised only by calling clickedSeries() directly.
    void seriesClicked(const QString &name);
    //! The user toggled the legend entry named in \a name, which is now
    //! selected when \a bSelected.
    void legendClicked(const QStringList &name, bool bSelected);
    //! The user double-clicked close to a segment of the line of \a point;
    //! \a start and \a end are the x keys of its two points.
    void lineDBClicked(const QString &point, const int &start, const int &end);

public Q_SLOTS:
    //! Emits seriesClicked(); the page never calls it.
    void clickedSeries(const QString &name);
    //! Called by the page when the user toggles a legend entry; emits
    //! legendClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void clickedLegend(const QString &name, bool bSelected);
    //! Called by the page on a double-click close to a line segment; emits
    //! lineDBClicked(). Calling it directly emits the same signal
    //! at once; a page's call emits it right after the call has been delivered.
    void dbClickedLine(const QString &point, const int &start, const int &end);

private:
    // Tooltip, legend, zoom and grid, which both setOption() forms share.
    QJsonObject getCommonOption(int toolTipMode, const QStringList &legends, const QString &legendY,
                                bool showDataZoom, int zoomStart, int zoomEnd,
                                const QString &gridLeft, const QString &gridTop, const QString &gridRight,
                                const QString &gridBottom, bool containLabel);
    void setChartOption(const QString &json, int toolTipMode);
    QString getTypeString();
    QJsonArray getJsonArrayPair(const QList<QPair<double, double>> &pairs);
    // The series objects of the remembered legends, without their data;
    // none when datas holds a different number of points.
    QList<QJsonObject> getSeriesItems(const SeriesMap &datas, const AlarmMap &alarms);
    // The points of each remembered legend, in legend order.
    QList<QList<QPair<double, double>>> getSeriesPoints(const SeriesMap &datas);
    QJsonObject getAlarmLine(double value, const QStringList &labelNames, bool onlyAlarm);
    template <typename T>
    void sendSeries(const QList<QList<T>> &datas, const QJsonObject &extra);

    QWebEngineView *m_webView = nullptr;
    QStringList m_legends;

    Q_DISABLE_COPY(KzChartLineZoom)
};

#endif // KZCHARTLINEZOOM_H
