#ifndef KZCHARTHOST_H
#define KZCHARTHOST_H

#include <QJsonObject>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QWebEngineView;
class QWidget;
QT_END_NAMESPACE

// Machinery shared by every chart widget. The widgets derive from QWidget
// only; each calls these helpers instead of inheriting them.
namespace KzChartHost {

// The qrc URL of one of the chart pages compiled into the library,
// e.g. chartPageUrl("bar.html").
QString chartPageUrl(const QString &page);

// Fills widget with a web view showing the chart page at pageUrl and returns
// the view. The widget is published to the page as "chartWidget" so that the
// page can call its slots. Returns only once the page has finished loading
// (successfully or not), so that setters may run straight away; the host's
// event loop runs meanwhile. The layout is installed after the load.
QWebEngineView *createChartView(QWidget *widget, const QString &pageUrl);

// Runs script in the view's page without waiting for it. Calls reach the page
// in the order they were made; errors stay inside the page.
void runPageScript(QWebEngineView *view, const QString &script);

// Runs "setChartOption(<json>)": json is inserted once and unchanged, so the
// page receives an object and percent signs in it are never reinterpreted.
void sendChartOption(QWebEngineView *view, const QString &json);

// Fragments of the setters that the chart widgets have in common.
QJsonObject titleFragment(const QString &text);
QJsonObject subTitleFragment(const QString &subtext);
QJsonObject colorsFragment(const QStringList &colors);
QJsonObject toolBackFragment(bool visible);

// {"legend":[{"data": legends}]} with "selectedMode" false only when the
// legend must not be selectable: without the key the legend keeps the mode
// it has. The second form also sets the legend's visibility.
QJsonObject selectableLegendFragment(const QStringList &legends, bool bSelectable);
QJsonObject selectableLegendFragment(const QStringList &legends, bool bShow, bool bSelectable);

// The series of a pie or donut page, which holds exactly one series: its
// slices named by position ({"series":[{"data":[...]}]}) and its name.
QJsonObject slicesFragment(const QStringList &names, const QList<int> &values);
QJsonObject seriesNameFragment(const QString &name);

} // namespace KzChartHost

#endif // KZCHARTHOST_H
