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

// Fills widget with a web view for its chart page and publishes the widget to
// the page as "chartWidget", so that the page can call its slots. The page is
// not loaded yet: store the view, then call loadChartPage().
QWebEngineView *createChartView(QWidget *widget);

// Loads the chart page at pageUrl into view and returns once it has loaded
// (successfully or not), so that setters may run straight away; the host's
// event loop runs meanwhile. Then lays the view out in widget.
//
// The wait ends early, without touching widget again, when the widget is
// destroyed meanwhile; it ends early too when the application is asked to
// quit, and that request is passed on to the application's main loop. Inside
// a slot relaying a page event (see RelayScope) the page cannot load until the
// slot has returned, so there the function does not wait at all. Page calls
// made before the page has loaded are held back and run once it has.
void loadChartPage(QWidget *widget, QWebEngineView *view, const QString &pageUrl);

// Marks the emission of a signal that relays a page event. The page's call is
// still being delivered while the signal's slots run, and the web engine
// cannot load another page before that delivery has ended; a chart
// constructed in such a slot (the usual drill-down) therefore returns at once
// instead of waiting for its page. Every relay slot holds one while it emits.
class RelayScope
{
public:
    RelayScope();
    ~RelayScope();
    RelayScope(const RelayScope &) = delete;
    RelayScope &operator=(const RelayScope &) = delete;

    static bool active();
};

// Runs script in the view's page without waiting for it. Calls reach the page
// in the order they were made; errors stay inside the page. Calls made while
// the page is (re)loading run once it has loaded.
//
// The page remembers the calls so that it can replay them when its renderer
// process has died and the page had to be loaded again. A call replaces the
// remembered call of the same page function; for the option bridge see
// sendChartOption().
void runPageScript(QWebEngineView *view, const QString &script);

// Runs "setChartOption(<json>)": json is inserted once and unchanged, so the
// page receives an object and percent signs in it are never reinterpreted.
// For a replay, a fragment replaces an earlier fragment of the same shape
// (see jsonShape()), since it overwrites everything that one set.
void sendChartOption(QWebEngineView *view, const QString &json);

// The structure of compact JSON text without its values: member names in
// order, array lengths, and no "data" member at all, since the pages replace
// data lists whole. Two fragments of equal shape set the same option keys.
QString jsonShape(const QString &json);

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
