#ifndef KZCHARTPIE_H
#define KZCHARTPIE_H

#include "kzchartglobal.h"

#include <QList>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

/*!
    \class KzChartPie
    \brief A pie chart of whole-number values, one slice per legend entry.

    The constructor returns once the chart page has loaded, so setters may be
    called at once. Every setter sends its part of the chart option to the page,
    which merges it into what earlier calls left.

    Slices are named by position after the names of the last setLegends()
    call; setDatas() with a different number of values than there are names is
    ignored. Set the legends first, then the values. Each slice carries a label
    with its name and value; the tooltip shows the series name (see
    setDatasName()), the slice's name, value and percentage. The legend along
    the bottom scrolls when it is too long.

    A click on a slice emits categoryClicked() with the slice's name, unless
    setSilent(true) made the pie ignore the mouse. A click on the toolbox back
    button (see setToolBackVisible()) emits toolBackClicked().

    Turning legend selection off with setLegends(legends, bShow, false) lasts:
    a later call with bSelectable true leaves the selection mode as it is.

    The page draws at most the first 1000 slices and legend entries, and
    percentages are of the slices drawn; texts longer than 4096 characters
    are drawn cut short. All texts show as typed, markup included.
*/
class KZCHARTWIDGET_EXPORT KzChartPie : public QWidget
{
    Q_OBJECT

public:
    explicit KzChartPie(QWidget *parent = nullptr);
    ~KzChartPie() override;

    void setTitle(const QString &text);
    void setSubTitle(const QString &subtext);
    void setColors(const QStringList &colors);
    void setToolBackVisible(bool visible);

    void setLegends(const QStringList &legends);
    void setLegends(const QStringList &legends, bool bShow, bool bSelectable);
    void setDatas(const QList<int> &datas);
    // The series name, the first line of the tooltip.
    void setDatasName(const QString &name);
    // A silent pie reacts to no mouse action: no highlight, no tooltip and
    // no categoryClicked().
    void setSilent(bool bSilent);

Q_SIGNALS:
    void categoryClicked(const QString &category);
    void toolBackClicked();

public Q_SLOTS:
    // Called by the page; calling them directly emits the same signals.
    void clickedCategory(const QString &category);
    void clickedToolBack();

private:
    void setChartOption(const QString &json);

    QWebEngineView *m_webView = nullptr;
    QStringList m_legends;

    Q_DISABLE_COPY(KzChartPie)
};

#endif // KZCHARTPIE_H
