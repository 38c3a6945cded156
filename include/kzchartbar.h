#ifndef KZCHARTBAR_H
#define KZCHARTBAR_H

#include "kzchartglobal.h"

#include <QList>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartBar
    \brief A grouped bar chart: categories along the x axis, one bar series
    per legend entry.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Series are named by position after the names of the last setLegends()
    call; setDatas() with a different number of rows than there are names is
    ignored. Set the legends first, then the data.

    A click on a category label emits categoryClicked() with the label; a
    click on the toolbox back button (see setToolBackVisible()) emits
    toolBackClicked().

    clearChart() removes the bars and the category labels. Title, subtitle,
    legend, colours, grid and the back button stay, and so do the remembered
    legend names, so a drill-down can go on with setCategories() and
    setDatas() straight away.

    A series of more than 2000 values is drawn as one shape, without a
    highlight for the bar under the mouse, and keeps only the values that
    have a category; with more than 1000 categories only the labels that fit
    are shown. Texts longer than 4096 characters are drawn cut short, legends
    show at most 1000 entries, and all texts show as typed, markup included.
*/
class KZCHARTWIDGET_EXPORT KzChartBar : public QWidget
{
    Q_OBJECT

public:
    //! Builds the chart and loads its page; setters may be called as soon as
    //! it returns.
    explicit KzChartBar(QWidget *parent = nullptr);
    //! Destroys the chart and its page.
    ~KzChartBar() override;

    //! Sets the title above the chart; the text is shown as it is.
    void setTitle(const QString &text);
    //! Sets the smaller line under the title.
    void setSubTitle(const QString &subtext);
    //! Sets the palette, one CSS colour ("#c23531", "red"...) per series in
    //! series order; it repeats when there are more series than colours.
    void setColors(const QStringList &colors);
    //! Shows or hides the toolbox back button, hidden at first.
    void setToolBackVisible(bool visible);

    //! Sets the category labels along the x axis, one per bar group.
    void setCategories(const QStringList &categories);
    //! Sets the legend entries, which also name the series of later
    //! setDatas() calls by position and give their expected number.
    void setLegends(const QStringList &legends);
    //! As setLegends(legends), and places the legend: x and y as ECharts
    //! reads them ("left", "center", "right", "top", "bottom", "10%", a pixel
    //! number...), orient "horizontal" or "vertical".
    void setLegends(const QStringList &legends, const QString &x, const QString &y,
                    const QString &orient);
    //! Sets one row of whole-number values per legend entry, each value the
    //! bar of one category. Ignored unless there are as many rows as names
    //! given to the last setLegends().
    void setDatas(const QList<QList<int>> &datas);
    //! As the whole-number form; NaN and infinite values are sent as null and
    //! leave their bar out.
    void setDatas(const QList<QList<double>> &datas);
    //! Sets the plot area's margins in percent of the chart's width (left,
    //! right) and height (top, bottom). The "%1%" that builds each margin is
    //! a translatable text.
    void setGrid(int left, int top, int right, int bottom);
    //! Removes the bars and the category labels; everything else stays, the
    //! remembered legend names included (see the class description).
    void clearChart();

Q_SIGNALS:
    //! The user clicked the category label \a category on the x axis.
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

    Q_DISABLE_COPY(KzChartBar)
};

#endif // KZCHARTBAR_H
