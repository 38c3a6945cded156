#ifndef KZCHARTLINEZOOM_H
#define KZCHARTLINEZOOM_H

#include "kzchartglobal.h"

#include <QByteArray>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QPrinter;
QT_END_NAMESPACE

class KzChartLineZoomPrivate;

class KZCHARTWIDGET_EXPORT KzChartLineZoom : public QWidget
{
    Q_OBJECT
    //! The series colours; setting them rebuilds the chart (see setColors()).
    Q_PROPERTY(QStringList colors READ colors WRITE setColors)
    //! The theme the chart is drawn in (see setTheme()).
    Q_PROPERTY(QString theme READ theme WRITE setTheme)
    //! How many samples each series keeps as samples are appended; 0 keeps
    //! all.
    Q_PROPERTY(int retention READ retention WRITE setRetention)
    //! Whether the x zoom window follows the newest sample.
    Q_PROPERTY(bool following READ isFollowing WRITE setFollowing NOTIFY followingChanged)

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
    //! mode 0, no zoom bars); refused when the row count differs from the
    //! legend count.
    void setDatas(const QList<QList<int>> &datas);
    //! As the whole-number form.
    void setDatas(const QList<QList<double>> &datas);
    //! Rebuilds the chart with only this palette (tooltip mode 0).
    void setColors(const QStringList &colors);
    //! Draws the chart in the theme called \a name: "macarons" (the default,
    //! see KzChart::setDefaultTheme()), "light", "dark" or "palette", whose
    //! colours come from the widget's palette and follow its changes. The
    //! chart keeps what it shows, and colours from setColors() win over the
    //! theme's. An unknown name is refused with a warning.
    void setTheme(const QString &name);

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

    //! Adds \a categories at the end of the category axis and \a values[i]
    //! to series i (in legend order), one value per new label, without
    //! rebuilding the chart (see "Live data" in the class description).
    //! Refused unless there is a row for every series on the chart and every
    //! row has as many values as there are new labels; NaN and infinite
    //! values are gaps.
    void appendDatas(const QStringList &categories, const QList<QList<double>> &values);
    //! Adds (x, y) points to the series of a numeric x axis by measuring
    //! point name; series not named get none. Refused when a name is not on
    //! the chart, or an x is not finite or goes back.
    void appendDatas(const SeriesMap &points);
    //! Keeps the newest \a maxPoints samples of each series (on a category
    //! axis the newest \a maxPoints labels with their values) as samples are
    //! appended, and drops the older ones at once; 0, the default, keeps all.
    void setRetention(int maxPoints);
    //! Makes the x zoom window follow the newest sample (true, the default)
    //! or hold still while samples are appended.
    void setFollowing(bool following);

    //! The colours of the last setColors().
    QStringList colors() const;
    //! The name of the theme the chart is drawn in.
    QString theme() const;
    //! The retention of the last setRetention().
    int retention() const;
    //! True while the x zoom window follows the newest sample.
    bool isFollowing() const;
    //! True once the chart page has loaded, and again once it is back after
    //! its renderer process died.
    bool isReady() const;

    //! Renders the chart as it is drawn now, the toolbox left out, at
    //! pixelRatio (1 to 4) times the size of its chart area, also when the
    //! chart is hidden or was never shown, and hands the image to done on
    //! the chart's thread: a null image when the page cannot answer (the
    //! chart is deleted, its renderer dies). Returns at once.
    void grabImage(qreal pixelRatio, std::function<void(const QImage &)> done);
    //! As grabImage(), waiting for the image as the constructor waits for
    //! the page: deleting the chart or its parent, closing its window or
    //! quitting ends the wait with a null image.
    QImage toImage(qreal pixelRatio = 1.0);
    //! The chart as an SVG document in UTF-8, vector throughout, waiting as
    //! toImage() does; empty when the page cannot answer.
    QByteArray toSvg();
    //! Writes the chart to fileName in the format its suffix names: .png,
    //! .jpg or .jpeg (as toImage() draws it at pixelRatio), .svg or .pdf
    //! (vector; the PDF has one page of the chart's aspect). Waits as
    //! toImage() does; false, with a warning, for another suffix or when
    //! the chart cannot be drawn or the file written.
    bool saveImage(const QString &fileName, qreal pixelRatio = 1.0);
    //! Prints the chart's vector drawing on one page of printer, as large as
    //! the page takes it keeping its aspect. Waits as toImage() does.
    void print(QPrinter *printer);
    //! Puts the chart on the clipboard as an image at the screen's device
    //! pixel ratio and as SVG (image/svg+xml). Waits as toImage() does; the
    //! clipboard stays as it was when the chart cannot be drawn.
    void copyToClipboard();
    //! The data the host gave, as CSV text (RFC 4180): the categories or x
    //! values in the first column, one column per series; see \ref export.
    QString toCsv() const;
    //! Writes toCsv() to fileName in UTF-8; false, with a warning, when the
    //! file cannot be written.
    bool saveCsv(const QString &fileName) const;

Q_SIGNALS:
    //! Raised only by calling clickedSeries() directly.
    void seriesClicked(const QString &name);
    //! The user toggled the legend entry named in \a name, which is now
    //! selected when \a bSelected.
    void legendClicked(const QStringList &name, bool bSelected);
    //! The user double-clicked close to a segment of the line of \a point;
    //! \a start and \a end are the x keys of its two points.
    void lineDBClicked(const QString &point, const int &start, const int &end);
    //! The view started (\a following true) or stopped following the newest
    //! sample: by the user's zoom or pan, or by setFollowing().
    void followingChanged(bool following);

public Q_SLOTS:
    //! Emits seriesClicked(); the page never calls it.
    void clickedSeries(const QString &name);
    //! Called by the page when the user toggles a legend entry; emits
    //! legendClicked().
    void clickedLegend(const QString &name, bool bSelected);
    //! Called by the page on a double-click close to a line segment; emits
    //! lineDBClicked().
    void dbClickedLine(const QString &point, const int &start, const int &end);
    //! Called by the page when the user's zoom or pan stops or resumes the
    //! following; as setFollowing().
    void changedFollowing(bool following);

private:
    const std::unique_ptr<KzChartLineZoomPrivate> d;

    Q_DISABLE_COPY(KzChartLineZoom)
};

#endif // KZCHARTLINEZOOM_H
