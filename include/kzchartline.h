#ifndef KZCHARTLINE_H
#define KZCHARTLINE_H

#include "kzchartglobal.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QPrinter;
QT_END_NAMESPACE

class KzChartLinePrivate;

class KZCHARTWIDGET_EXPORT KzChartLine : public QWidget
{
    Q_OBJECT
    //! The title above the chart.
    Q_PROPERTY(QString title READ title WRITE setTitle)
    //! The smaller line under the title.
    Q_PROPERTY(QString subTitle READ subTitle WRITE setSubTitle)
    //! The series colours.
    Q_PROPERTY(QStringList colors READ colors WRITE setColors)
    //! The theme the chart is drawn in (see setTheme()).
    Q_PROPERTY(QString theme READ theme WRITE setTheme)
    //! How many samples each series keeps as samples are appended; 0 keeps
    //! all.
    Q_PROPERTY(int retention READ retention WRITE setRetention)
    //! Whether the x zoom window follows the newest sample.
    Q_PROPERTY(bool following READ isFollowing WRITE setFollowing NOTIFY followingChanged)

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
    //! Draws the chart in the theme called \a name: "macarons" (the default,
    //! see KzChart::setDefaultTheme()), "light", "dark" or "palette", whose
    //! colours come from the widget's palette and follow its changes. The
    //! chart keeps what it shows, and colours from setColors() win over the
    //! theme's. An unknown name is refused with a warning.
    void setTheme(const QString &name);

    //! Makes the x axis a category axis with these labels. \a bOnZero puts
    //! the axis line on the y axis' zero; \a interval is the label interval
    //! (0 shows every label).
    void setCategories(const QStringList &categories, bool bOnZero, int interval);
    //! Makes the x axis numeric, from \a min to \a max in about
    //! \a splitNumber steps of at least \a minInterval. Labels sent earlier
    //! are ignored by it.
    void setCategories(int min, int max, int splitNumber, double minInterval);
    //! Sets one series of whole-number values per legend entry, one value
    //! per category label. Refused unless there are as many series as names
    //! given to the last setLegends(); surplus earlier series stay.
    void setDatas(const QList<QList<int>> &datas);
    //! As the whole-number form; NaN and infinite values break the line.
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

    //! Adds \a categories at the end of the category axis and \a values[i]
    //! to series i, one value per new label, without redrawing the chart
    //! from scratch (see "Live data" in the class description). Refused
    //! unless there is a row for every series on the chart and every row has
    //! as many values as there are new labels; NaN and infinite values are
    //! gaps.
    void appendDatas(const QStringList &categories, const QList<QList<double>> &values);
    //! Adds (x, y) points to the series of a numeric x axis, \a points[i]
    //! to series i, x truncated as setDatas() does. Refused unless there is
    //! a row for every series on the chart and x is finite and never goes
    //! back.
    void appendDatas(const QList<QList<QPair<double, double>>> &points);
    //! Keeps the newest \a maxPoints samples of each series (on a category
    //! axis the newest \a maxPoints labels with their values) as samples are
    //! appended, and drops the older ones at once; 0, the default, keeps all.
    void setRetention(int maxPoints);
    //! Makes the x zoom window follow the newest sample (true, the default)
    //! or hold still while samples are appended.
    void setFollowing(bool following);

    //! The text of the last setTitle().
    QString title() const;
    //! The text of the last setSubTitle().
    QString subTitle() const;
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
    //! The user clicked the x-axis label \a category.
    void categoryClicked(const QString &category);
    //! The user double-clicked a point; \a name is the point's data item
    //! name (its category label on a category axis), not the series name.
    void seriesClicked(const QString &name);
    //! The view started (\a following true) or stopped following the newest
    //! sample: by the user's zoom or pan, or by setFollowing().
    void followingChanged(bool following);

public Q_SLOTS:
    //! Called by the page when an x-axis label is clicked; emits
    //! categoryClicked().
    void clickedCategory(const QString &category);
    //! Called by the page when a point is double-clicked; emits
    //! seriesClicked().
    void clickedSeries(const QString &name);
    //! Called by the page when the user's zoom or pan stops or resumes the
    //! following; as setFollowing().
    void changedFollowing(bool following);

private:
    const std::unique_ptr<KzChartLinePrivate> d;

    Q_DISABLE_COPY(KzChartLine)
};

#endif // KZCHARTLINE_H
