#ifndef KZCHARTHOST_H
#define KZCHARTHOST_H

#include <QJsonObject>
#include <QObject>
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
// quit, and that request is passed on to the application's main loop. Page
// calls made before the page has loaded are held back and run once it has.
void loadChartPage(QWidget *widget, QWebEngineView *view, const QString &pageUrl);

// True while a slot of widget runs because its page called it. The web engine
// cannot load another page, or do much else, before such a call has been
// delivered, so a signal raised by it must not reach the host from inside.
bool calledByPage(QObject *widget);

// Emits the signal of a relay slot: at once when the host called the slot,
// and right after the call has been delivered when the page called it, so
// that the host's slots may build charts, run dialogs or delete the chart.
template <typename Emit>
void relay(QObject *widget, Emit emitSignal)
{
    if (calledByPage(widget))
        QMetaObject::invokeMethod(widget, emitSignal, Qt::QueuedConnection);
    else
        emitSignal();
}

// Runs script in the view's page without waiting for it. Calls reach the page
// in the order they were made, each after the attachments of the calls before
// it have arrived (see attach()); errors stay inside the page. Calls made while
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
// (member names and array lengths, data lists left out), since it
// overwrites everything that one set.
void sendChartOption(QWebEngineView *view, const QString &json);

// Whether long series can go to the pages as attachments: binary doubles
// that a page fetches while it goes on answering, instead of script text.
// True when the library was loaded before the application object existed.
bool attachmentsAvailable();
// Keeps doubles for the page that receives the next page call made on this
// thread, and returns the id by which that call's text names them.
QString attach(const QByteArray &doubles);

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
// slices named by position, {"series":[{"data":[{"name", "value"}...]}]} as
// text (a chart may get very many slices), and its name.
QString slicesString(const QStringList &names, const QList<int> &values);
QJsonObject seriesNameFragment(const QString &name);

} // namespace KzChartHost

#endif // KZCHARTHOST_H
