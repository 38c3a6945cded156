#ifndef KZCHARTDONUT_H
#define KZCHARTDONUT_H

#include "kzchartglobal.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QPrinter;
QT_END_NAMESPACE

class KzChartDonutPrivate;

class KZCHARTWIDGET_EXPORT KzChartDonut : public QWidget
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
    //! Whether the toolbox back button shows.
    Q_PROPERTY(bool toolBackVisible READ isToolBackVisible WRITE setToolBackVisible)

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
    //! Sets the palette, one CSS colour ("#c23531", "red"...) per series in
    //! order; it repeats when there are more series than colours.
    void setColors(const QStringList &colors);
    //! Draws the chart in the theme called \a name: "macarons" (the default,
    //! see KzChart::setDefaultTheme()), "light", "dark" or "palette", whose
    //! colours come from the widget's palette and follow its changes. The
    //! chart keeps what it shows, and colours from setColors() win over the
    //! theme's. An unknown name is refused with a warning.
    void setTheme(const QString &name);
    //! Shows or hides the toolbox back button, hidden at first.
    void setToolBackVisible(bool visible);

    //! Sets the legend entries, which also name the segments of later
    //! setDatas() calls by position and give their expected number;
    //! \a bShow shows or hides the legend, \a bSelectable false stops the
    //! user from switching segments off through the legend, for good.
    void setLegends(const QStringList &legends, bool bShow, bool bSelectable);
    //! Sets one whole-number value per legend entry, each the size of one
    //! segment. Refused unless there are as many values as legend names.
    void setDatas(const QList<int> &datas);
    //! Sets the series name.
    void setDatasName(const QString &name);
    //! Sets the two lines of the label in the middle of the ring: a small
    //! grey \a topText over a larger dark \a bottomText. Both are ECharts
    //! rich-text markup (see the class description).
    void setLabel(const QString &topText, const QString &bottomText);
    //! Shows or hides the tooltip over a segment.
    void setTooltip(bool bShow);

    //! The text of the last setTitle().
    QString title() const;
    //! The text of the last setSubTitle().
    QString subTitle() const;
    //! The colours of the last setColors().
    QStringList colors() const;
    //! The name of the theme the chart is drawn in.
    QString theme() const;
    //! Whether the back button shows.
    bool isToolBackVisible() const;
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
    //! The user clicked the category label \a category.
    void categoryClicked(const QString &category);
    //! The user clicked the toolbox back button.
    void toolBackClicked();

public Q_SLOTS:
    //! Called by the page when a category label is clicked; emits
    //! categoryClicked().
    void clickedCategory(const QString &category);
    //! Called by the page when the back button is clicked; emits
    //! toolBackClicked().
    void clickedToolBack();

private:
    const std::unique_ptr<KzChartDonutPrivate> d;

    Q_DISABLE_COPY(KzChartDonut)
};

#endif // KZCHARTDONUT_H
