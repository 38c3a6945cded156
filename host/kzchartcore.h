#ifndef KZCHARTCORE_H
#define KZCHARTCORE_H

#include "kzchartdata.h"
#include "kzchartjsonwriter.h"

#include <QMetaObject>
#include <QStringList>
#include <QThread>

#include <memory>

QT_BEGIN_NAMESPACE
class QWebEngineView;
class QWidget;
QT_END_NAMESPACE

namespace KzChartHost {
class ChartPage;
class ChartTheme;
}

// The private part that all six chart widgets share: the web view and its
// page bridge, the legend names that name the series, the common setters and
// the data the host gave. Each widget holds one (its own private class
// derives from this one) and forwards to it; the widgets themselves derive
// from QWidget only.
class KzChartPrivate
{
public:
    explicit KzChartPrivate(QWidget *widget);
    virtual ~KzChartPrivate();

    // Fills the widget with a web view, publishes the widget to the page as
    // "chartWidget", loads the chart page (e.g. "bar.html") and returns once
    // it has loaded, successfully or not; the host's event loop runs
    // meanwhile. The wait ends early, without touching the widget or d
    // again, when the widget is destroyed meanwhile; it ends early too when
    // the application is asked to quit, and that request is passed on to the
    // application's main loop. Calls made before the page has loaded run once
    // it has.
    static void load(KzChartPrivate *d, const QString &page);

    // The page bridge. setChartOption(json) on a merging page: the call
    // replaces the remembered call that set the same option keys (see
    // ReplayLog). Every setter comes through here, so both also bring the
    // widget's accessible name and description up to date (describeChart).
    void sendOption(const QString &json);
    void sendOption(const KzChartHost::Fragment &fragment);
    // Any other page call; it replaces the remembered call of the same page
    // function.
    void runScript(const QString &script, const KzChartHost::Attachments &attachments = {});

    // Whether a data call of setter with rows rows (or values) matches the
    // legend names; warns when it does not, since the call is then refused.
    bool acceptRows(const char *setter, int rows) const;
    // Warns in the library's logging category about a call of setter:
    // "KzChartBar::setDatas: <what>".
    void warn(const char *setter, const QString &what) const;

    // The setters that every chart but the monitoring chart has.
    void setTitle(const QString &text);
    void setSubTitle(const QString &text);
    void setColors(const QStringList &colors);
    void setToolBackVisible(bool visible);
    // The theme that the chart is drawn in (see ChartTheme).
    void setTheme(const QString &name);
    QString theme() const;

    bool isReady() const;

    // True when the caller runs on another thread than the widget's; warns
    // the first time, naming member. See KZCHART_ON_OWN_THREAD.
    bool onOtherThread(const char *member) const;

    // Emits the signal of a relay slot: at once when the host called the
    // slot, and right after the call has been delivered when the page called
    // it. The web engine cannot load another page, or do much else, before
    // such a call has been delivered, so the host's slots may then build
    // charts, run dialogs or delete the chart.
    template <typename Emit>
    void relay(Emit emitSignal)
    {
        if (calledByPage())
            QMetaObject::invokeMethod(q, emitSignal, Qt::QueuedConnection);
        else
            emitSignal();
    }

    QWidget *const q;
    QWebEngineView *view = nullptr;
    KzChartHost::ChartPage *page = nullptr;
    // The names of the last setLegends(): they name, order and count the
    // series of the data calls.
    QStringList legends;
    QString title;
    QString subTitle;
    QStringList colors;
    bool toolBackVisible = false;
    KzChartHost::ChartData data;

private:
    bool calledByPage() const;

    std::unique_ptr<KzChartHost::ChartTheme> m_theme;
    mutable QAtomicInt m_warnedThread;

    Q_DISABLE_COPY(KzChartPrivate)
};

// The first line of every public member of a chart widget. Called on another
// thread than the widget's (a worker's, say), the member warns once per widget
// and is carried to the widget's thread with a queued invocation, so that it
// has the effect it would have had there; the caller does not wait. A member
// that returns a value waits for the widget's thread to answer instead.
#define KZCHART_ON_OWN_THREAD(call)                                                                       \
    do {                                                                                                  \
        if (d->onOtherThread(Q_FUNC_INFO))                                                                \
            return (void)QMetaObject::invokeMethod(this, [=] { call; }, Qt::QueuedConnection);            \
    } while (false)
#define KZCHART_RETURN_FROM_OWN_THREAD(call)                                                              \
    do {                                                                                                  \
        if (d->onOtherThread(Q_FUNC_INFO)) {                                                              \
            decltype(call) result;                                                                        \
            QMetaObject::invokeMethod(const_cast<QObject *>(static_cast<const QObject *>(this)),          \
                                      [&] { result = call; }, Qt::BlockingQueuedConnection);              \
            return result;                                                                                \
        }                                                                                                 \
    } while (false)

// The members that several chart widgets share, defined once: each forwards
// to the private core. KZCHART_DEFINE_COMMON for every chart,
// KZCHART_DEFINE_TITLES for those with setTitle(), setSubTitle() and
// setColors(), KZCHART_DEFINE_TOOLBACK for those with a back button.
#define KZCHART_DEFINE_COMMON(Class)                                                                      \
    bool Class::isReady() const                                                                           \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(isReady());                                                        \
        return d->isReady();                                                                              \
    }                                                                                                     \
    void Class::setTheme(const QString &name)                                                             \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setTheme(name));                                                            \
        d->setTheme(name);                                                                                \
    }                                                                                                     \
    QString Class::theme() const                                                                          \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(theme());                                                          \
        return d->theme();                                                                                \
    }
#define KZCHART_DEFINE_TITLES(Class)                                                                      \
    void Class::setTitle(const QString &text)                                                             \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setTitle(text));                                                            \
        d->setTitle(text);                                                                                \
    }                                                                                                     \
    void Class::setSubTitle(const QString &subtext)                                                       \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setSubTitle(subtext));                                                      \
        d->setSubTitle(subtext);                                                                          \
    }                                                                                                     \
    void Class::setColors(const QStringList &colors)                                                      \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setColors(colors));                                                         \
        d->setColors(colors);                                                                             \
    }                                                                                                     \
    QString Class::title() const                                                                          \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(title());                                                          \
        return d->title;                                                                                  \
    }                                                                                                     \
    QString Class::subTitle() const                                                                       \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(subTitle());                                                       \
        return d->subTitle;                                                                               \
    }                                                                                                     \
    QStringList Class::colors() const                                                                     \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(colors());                                                         \
        return d->colors;                                                                                 \
    }
#define KZCHART_DEFINE_TOOLBACK(Class)                                                                    \
    void Class::setToolBackVisible(bool visible)                                                          \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setToolBackVisible(visible));                                               \
        d->setToolBackVisible(visible);                                                                   \
    }                                                                                                     \
    bool Class::isToolBackVisible() const                                                                 \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(isToolBackVisible());                                              \
        return d->toolBackVisible;                                                                        \
    }

#endif // KZCHARTCORE_H
