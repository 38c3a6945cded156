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
    explicit KzChartBar(QWidget *parent = nullptr);
    ~KzChartBar() override;

    void setTitle(const QString &text);
    void setSubTitle(const QString &subtext);
    void setColors(const QStringList &colors);
    void setToolBackVisible(bool visible);

    void setCategories(const QStringList &categories);
    void setLegends(const QStringList &legends);
    void setLegends(const QStringList &legends, const QString &x, const QString &y,
                    const QString &orient);
    void setDatas(const QList<QList<int>> &datas);
    void setDatas(const QList<QList<double>> &datas);
    // Plot-area margins in percent of the chart's width (left, right) and
    // height (top, bottom).
    void setGrid(int left, int top, int right, int bottom);
    void clearChart();

Q_SIGNALS:
    void categoryClicked(const QString &category);
    void toolBackClicked();

public Q_SLOTS:
    // Called by the page; calling them directly emits the same signals.
    void clickedCategory(const QString &category);
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
