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
    explicit KzChartStack(QWidget *parent = nullptr);
    ~KzChartStack() override;

    void setTitle(const QString &text);
    void setSubTitle(const QString &subtext);
    void setColors(const QStringList &colors);
    void setToolBackVisible(bool visible);

    void setCategories(const QStringList &categories);
    void setHorizontal(bool bHorizontal);
    void setLegends(const QStringList &legends, bool bSelectable);
    void setDatas(const QList<QList<int>> &datas);
    void setDatas(const QList<QList<double>> &datas);

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
    bool m_bHorizontal = true;

    Q_DISABLE_COPY(KzChartStack)
};

#endif // KZCHARTSTACK_H
