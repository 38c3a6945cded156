#include "kzcharthost.h"
#include "kzchartjson.h"
#include "kzchartjsonwriter.h"

#include <kzchartglobal.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QUuid>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

// Messages that the chart pages write to their console (script errors, for
// instance) are kept off the host's console unless this category
// is switched on: QT_LOGGING_RULES="kzchart.page=true" (script errors come
// as warnings, everything else as debug messages).
Q_LOGGING_CATEGORY(lcChartPage, "kzchart.page", QtCriticalMsg)

namespace {

// Long series go to the pages as attachments: binary doubles that a page
// fetches from this scheme (see largeseries.js), because parsing them as
// script text would hold the page, and writing them as text the host, for a
// tenth of a second per 100k points.
const QByteArray attachmentScheme = QByteArrayLiteral("kzchartdata");

// The web engine accepts a scheme only before it starts. The library
// registers it as it is loaded, which for an application linked to it is
// before main(); loaded later (as a plugin, say), it sends every series as
// text.
void registerAttachmentScheme()
{
    if (QCoreApplication::instance())
        return;
    QWebEngineUrlScheme scheme(attachmentScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}
Q_CONSTRUCTOR_FUNCTION(registerAttachmentScheme)

// Attachments by id, as long as a page may fetch them: from their writing
// until the call they belong to leaves its page's replay log.
QHash<QString, QByteArray> &attachmentStore()
{
    static QHash<QString, QByteArray> store;
    return store;
}

// Attachments written since the last page call: they belong to the next.
QStringList &unsentAttachments()
{
    static QStringList ids;
    return ids;
}

void dropAttachments(const QStringList &ids)
{
    for (const QString &id : ids)
        attachmentStore().remove(id);
}

// Serves attachments by id, and nothing else.
class AttachmentHandler : public QWebEngineUrlSchemeHandler
{
public:
    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const auto it = attachmentStore().constFind(job->requestUrl().path());
        if (job->requestMethod() != "GET" || it == attachmentStore().constEnd())
            return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        auto *buffer = new QBuffer(job);
        buffer->setData(*it);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("application/octet-stream"), buffer);
    }
};

// The page of a chart view. Besides keeping the page's console messages off
// the host's console, it holds back script calls until the page has loaded and
// remembers them, so that a page whose renderer process died comes back
// loaded again and showing what the host had set.
class ChartPage : public QWebEnginePage
{
public:
    explicit ChartPage(QObject *parent)
        : QWebEnginePage(parent)
    {
        connect(this, &QWebEnginePage::loadFinished, this, &ChartPage::loaded);
        connect(this, &QWebEnginePage::renderProcessTerminated, this, &ChartPage::died);
        static AttachmentHandler handler;
        if (KzChartHost::attachmentsAvailable() && !profile()->urlSchemeHandler(attachmentScheme))
            profile()->installUrlSchemeHandler(attachmentScheme, &handler);
    }

    ~ChartPage() override
    {
        for (const Call &call : qAsConst(m_calls))
            dropAttachments(call.attachments);
    }

    void start(const QUrl &url)
    {
        m_url = url;
        load(url);
    }

    // Runs script, with the attachments written for it fetched first.
    void run(const QString &script, const QString &key)
    {
        // The newest call of a key goes last: replaying the newest call of
        // every key in the order of those calls leaves each option key with
        // the value that its last writer gave it.
        for (auto it = m_calls.begin(); it != m_calls.end(); ++it) {
            if (it->key == key) {
                dropAttachments(it->attachments);
                m_calls.erase(it);
                break;
            }
        }
        Call call{key, QString(), unsentAttachments()};
        unsentAttachments().clear();
        // The page runs every call in order, and none before the attachments
        // fetched ahead of it have come.
        if (!call.attachments.isEmpty()) {
            call.script = QStringLiteral("fetchAttachments([\"")
                    + call.attachments.join(QStringLiteral("\",\"")) + QStringLiteral("\"]);");
        }
        call.script += QStringLiteral("inOrder(function () {") + script + QStringLiteral("});");
        m_calls.append(call);
        if (m_ready)
            runJavaScript(call.script);
    }

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceId) override
    {
        if (level == ErrorMessageLevel)
            qCWarning(lcChartPage, "%s:%d: %s", qPrintable(sourceId), lineNumber, qPrintable(message));
        else
            qCDebug(lcChartPage, "%s:%d: %s", qPrintable(sourceId), lineNumber, qPrintable(message));
    }

private:
    void loaded(bool ok)
    {
        m_ready = ok;
        if (!ok)
            return;
        for (const Call &call : qAsConst(m_calls))
            runJavaScript(call.script);
    }

    void died(RenderProcessTerminationStatus status)
    {
        m_ready = false;
        if (status == NormalTerminationStatus)
            return;
        // A renderer that dies again soon after a replay may have been killed
        // by what was replayed (a fragment too large to draw, say): start
        // again from the empty chart rather than crash over and over.
        if (m_reloaded.isValid() && m_reloaded.elapsed() < 10000) {
            for (const Call &call : qAsConst(m_calls))
                dropAttachments(call.attachments);
            m_calls.clear();
        }
        m_reloaded.start();
        // Not from inside the engine's notification.
        QTimer::singleShot(0, this, [this] { load(m_url); });
    }

    QUrl m_url;
    bool m_ready = false;
    struct Call
    {
        QString key;
        QString script;
        QStringList attachments;
    };
    QList<Call> m_calls;
    QElapsedTimer m_reloaded;
};

// Quits the application from the first event loop that runs: a quit request
// made while no loop runs would otherwise be lost.
void quitWhenLoopRuns()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::quit();
        else
            quitWhenLoopRuns();
    });
}

// The web channel warns about every QWidget property without a notify signal
// when it publishes a chart widget to its page. The pages only call slots, so
// those warnings say nothing useful; drop them and pass everything else on.
// Installed with the first chart widget; the previous handler is restored
// when the library is unloaded, unless someone replaced ours meanwhile.
class ChannelNoticeFilter
{
public:
    ChannelNoticeFilter() { s_previous = qInstallMessageHandler(filter); }
    ~ChannelNoticeFilter()
    {
        const QtMessageHandler current = qInstallMessageHandler(s_previous);
        if (current != filter)
            qInstallMessageHandler(current);
    }

private:
    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("Property '"))
            && message.contains(QLatin1String("' of object 'KzChart"))
            && message.contains(QLatin1String("has no notify signal"))) {
            return;
        }
        s_previous(type, context, message);
    }

    static QtMessageHandler s_previous;
};

QtMessageHandler ChannelNoticeFilter::s_previous = nullptr;

} // namespace

bool KzChart::useProcessPerSite()
{
    static const char variable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
    const QByteArray flags = qgetenv(variable);
    if (flags.contains("--process-per-site"))
        return true;
    if (flags.contains("--single-process") || flags.contains("--process-per-tab"))
        return false;
    qputenv(variable, flags.isEmpty() ? QByteArray("--process-per-site") : flags + " --process-per-site");
    return true;
}

namespace KzChartHost {

bool attachmentsAvailable()
{
    static const bool available = QWebEngineUrlScheme::schemeByName(attachmentScheme).name() == attachmentScheme;
    return available;
}

QString attach(const QByteArray &doubles)
{
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    attachmentStore().insert(id, doubles);
    unsentAttachments().append(id);
    return id;
}

QString chartPageUrl(const QString &page)
{
    return QStringLiteral("qrc:///ECharts/Resources/ECharts/") + page;
}

QWebEngineView *createChartView(QWidget *widget)
{
    static ChannelNoticeFilter channelNoticeFilter;
    Q_UNUSED(channelNoticeFilter)

    auto *view = new QWebEngineView(widget);
    view->setPage(new ChartPage(view));
    auto *channel = new QWebChannel(widget);
    channel->registerObject(QStringLiteral("chartWidget"), widget);
    view->page()->setWebChannel(channel);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    return view;
}

void loadChartPage(QWidget *widget, QWebEngineView *view, const QString &pageUrl)
{
    const QPointer<QWidget> alive(widget);
    // The loop is the receiver, so the connections die with it: a later
    // loadFinished can never reach a loop that no longer exists. A failed load
    // ends the wait too; the widget then simply shows no chart.
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, [&] {
        loaded = true;
        loop.quit();
    }, Qt::DirectConnection);
    QObject::connect(view, &QObject::destroyed, &loop, &QEventLoop::quit, Qt::DirectConnection);
    static_cast<ChartPage *>(view->page())->start(QUrl(pageUrl, QUrl::TolerantMode));
    loop.exec(QEventLoop::AllEvents);
    if (!alive)
        return;
    // Nothing but a quit request (QCoreApplication::exit() ends every running
    // loop) ends the wait early while the widget lives. Before the
    // application's own loop runs, that request would be lost; hand it on to
    // the first loop that runs.
    if (!loaded && QThread::currentThread()->loopLevel() == 0)
        quitWhenLoopRuns();

    auto *layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view);
}

namespace {

// QObject::sender() is protected; a pointer to it formed through a derived
// class may be called on any object.
struct SenderAccess : QObject
{
    static QObject *senderOf(const QObject *object) { return (object->*(&SenderAccess::sender))(); }
};

} // namespace

bool calledByPage(QObject *widget)
{
    // The channel hands a page's call to the widget from its message handler,
    // a child of the channel that the transport's messageReceived signal
    // invokes: while the call runs, that child has a sender.
    const auto *channel = widget->findChild<QWebChannel *>(QString(), Qt::FindDirectChildrenOnly);
    if (!channel)
        return false;
    for (const QObject *child : channel->children()) {
        if (SenderAccess::senderOf(child))
            return true;
    }
    return false;
}

void runPageScript(QWebEngineView *view, const QString &script)
{
    static_cast<ChartPage *>(view->page())->run(script, script.left(script.indexOf(QLatin1Char('('))));
}

namespace {

// Advances past one JSON value of compact text: past the closing quote or
// bracket, or up to the comma or bracket that ends a number or literal.
void skipValue(const QChar *&p, const QChar *end)
{
    int depth = 0;
    while (p < end) {
        const QChar c = *p;
        if (c == QLatin1Char('"')) {
            for (++p; p < end && *p != QLatin1Char('"'); ++p) {
                if (*p == QLatin1Char('\\'))
                    ++p;
            }
            ++p;
            if (depth == 0)
                return;
            continue;
        }
        if (c == QLatin1Char('[') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (depth == 0)
                return;
            if (--depth == 0) {
                ++p;
                return;
            }
        } else if (c == QLatin1Char(',') && depth == 0) {
            return;
        }
        ++p;
    }
}

void appendShape(const QChar *&p, const QChar *end, QString &shape)
{
    if (p >= end)
        return;
    const QChar open = *p;
    if (open != QLatin1Char('{') && open != QLatin1Char('[')) {
        skipValue(p, end);
        shape += QLatin1Char('v');
        return;
    }
    const bool object = open == QLatin1Char('{');
    shape += open;
    ++p;
    while (p < end && *p != QLatin1Char(object ? '}' : ']')) {
        if (*p == QLatin1Char(','))
            shape += *p++;
        if (object) {
            const QChar *name = p;
            skipValue(p, end);
            const QStringView key(name, p - name);
            shape += key;
            ++p; // the colon
            if (key == QLatin1String("\"data\"")) {
                skipValue(p, end);
                continue;
            }
        }
        appendShape(p, end, shape);
    }
    shape += QLatin1Char(object ? '}' : ']');
    ++p;
}

// The structure of compact JSON text without its values: member names in
// order, array lengths, and no "data" member at all, since the pages replace
// data lists whole. Two fragments of equal shape set the same option keys.
QString jsonShape(const QString &json)
{
    QString shape;
    const QChar *p = json.constData();
    appendShape(p, p + json.size(), shape);
    return shape;
}

} // namespace

void sendChartOption(QWebEngineView *view, const QString &json)
{
    static_cast<ChartPage *>(view->page())
            ->run(QStringLiteral("setChartOption(%1)").arg(json), QStringLiteral("setChartOption") + jsonShape(json));
}

QJsonObject titleFragment(const QString &text)
{
    return getJsonObject(QStringLiteral("title"), getJsonObject(QStringLiteral("text"), text));
}

QJsonObject subTitleFragment(const QString &subtext)
{
    return getJsonObject(QStringLiteral("title"), getJsonObject(QStringLiteral("subtext"), subtext));
}

QJsonObject colorsFragment(const QStringList &colors)
{
    return getJsonObject(QStringLiteral("color"), getJsonArray(colors));
}

QJsonObject toolBackFragment(bool visible)
{
    const QJsonObject button = getJsonObject(QStringLiteral("show"), visible);
    const QJsonObject feature = getJsonObject(QStringLiteral("myToolBack"), button);
    return getJsonObject(QStringLiteral("toolbox"),
                         getJsonObject(QStringLiteral("feature"), feature));
}

namespace {

QJsonObject legendComponent(const QStringList &legends, bool bSelectable)
{
    QJsonObject legend = getJsonObject(QStringLiteral("data"), getJsonArray(legends));
    if (!bSelectable)
        legend.insert(QStringLiteral("selectedMode"), false);
    return legend;
}

} // namespace

QJsonObject selectableLegendFragment(const QStringList &legends, bool bSelectable)
{
    return getJsonArrayObject(QStringLiteral("legend"), legendComponent(legends, bSelectable));
}

QJsonObject selectableLegendFragment(const QStringList &legends, bool bShow, bool bSelectable)
{
    QJsonObject legend = legendComponent(legends, bSelectable);
    legend.insert(QStringLiteral("show"), bShow);
    return getJsonArrayObject(QStringLiteral("legend"), legend);
}

QString slicesString(const QStringList &names, const QList<int> &values)
{
    JsonWriter writer;
    writer.writeRaw(QLatin1String("{\"series\":[{\"data\":"));
    int i = 0;
    writer.writeArray(values, [&](JsonWriter &slice, int value) {
        slice.writeRaw(QLatin1String("{\"name\":"));
        slice.writeString(names.at(i++));
        slice.writeRaw(QLatin1String(",\"value\":"));
        slice.writeNumber(value);
        slice.writeRaw(QLatin1String("}"));
    });
    writer.writeRaw(QLatin1String("}]}"));
    return writer.text();
}

QJsonObject seriesNameFragment(const QString &name)
{
    return getJsonArrayObject(QStringLiteral("series"), getJsonObject(QStringLiteral("name"), name));
}

} // namespace KzChartHost
