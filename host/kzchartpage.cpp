#include "kzchartpage.h"
#include "kzchartattachments.h"
#include "kzchartlogging.h"

#include <QPointer>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineProfile>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QWebEngineDownloadItem>
using DownloadRequest = QWebEngineDownloadItem;
#else
#include <QWebEngineDownloadRequest>
using DownloadRequest = QWebEngineDownloadRequest;
#endif

namespace KzChartHost {

namespace {

// Scripts sent and not yet answered, at most; later calls wait in the host.
// A few at a time keep the page busy without a gap between calls, and the
// host's calls in the order it made them relative to scripts that it runs in
// the page itself.
const int maxUnanswered = 8;

// The page runs every call in order, and none before the attachments
// fetched ahead of it have come (pagecalls.js).
QString inOrder(const QString &script)
{
    return QStringLiteral("inOrder(function () {") + script + QStringLiteral("});");
}

// Questions wait among the calls under keys that no page function has.
QString questionKey(int id)
{
    return QLatin1Char('?') + QString::number(id);
}

bool isQuestion(const PageCall &call)
{
    return call.key.startsWith(QLatin1Char('?'));
}

// Downloads that a chart page starts are cancelled, whoever else listens to
// the profile.
void refuseDownloads(QWebEngineProfile *profile)
{
    static QList<QPointer<QWebEngineProfile>> watched;
    if (watched.contains(profile))
        return;
    watched.append(profile);
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile, [](DownloadRequest *download) {
        if (!dynamic_cast<ChartPage *>(download->page()))
            return;
        qCWarning(lcChartPage, "Refused a download from a chart page: %s", qPrintable(download->url().toString()));
        download->cancel();
    });
}

} // namespace

ChartPage::ChartPage(QObject *parent)
    : QWebEnginePage(parent), m_secret(newPageSecret()), m_answers(new PageAnswers(this))
{
    connect(this, &QWebEnginePage::loadFinished, this, &ChartPage::loaded);
    connect(this, &QWebEnginePage::renderProcessTerminated, this, &ChartPage::died);
    serveAttachments(this, m_secret);
    refuseDownloads(profile());
}

ChartPage::~ChartPage() = default;

void ChartPage::start(const QUrl &url)
{
    if (webChannel())
        webChannel()->registerObject(QStringLiteral("chartPage"), m_answers);
    m_url = url;
    reload();
}

void ChartPage::reload()
{
    m_loading = true;
    load(m_url);
}

void ChartPage::run(const QString &script, const QString &key, const Attachments &attachments)
{
    PageCall call{key, QString(), {}};
    for (const Attachment &attachment : attachments) {
        offerAttachment(m_secret, attachment);
        call.attachmentIds.append(attachment.id);
    }
    if (!call.attachmentIds.isEmpty()) {
        call.script = QStringLiteral("fetchAttachments([\"") + call.attachmentIds.join(QStringLiteral("\",\""))
                + QStringLiteral("\"]);");
    }
    call.script += inOrder(script);
    keepAndSend(call);
}

void ChartPage::runWritten(const QString &key, const std::function<QString()> &write)
{
    keepAndSend(PageCall{key, QString(), {}, write});
}

void ChartPage::keepAndSend(const PageCall &call)
{
    m_log.keep(call);
    m_waiting.keep(call);
    sendWaiting();
}

void ChartPage::ask(const QString &expression, PageAnswers::Receiver receiver)
{
    const int id = m_answers->open(std::move(receiver));
    if (m_failed)
        return m_answers->giveUp(id);
    m_waiting.keep({questionKey(id),
                    QStringLiteral("inOrder(function () { answerHost(%1, function () { return %2; }); });")
                            .arg(QString::number(id), expression),
                    {}});
    sendWaiting();
}

void ChartPage::giveUpQuestions()
{
    m_answers->giveUpAll();
    for (const PageCall &call : m_waiting.take()) {
        if (!isQuestion(call))
            m_waiting.keep(call);
    }
}

void ChartPage::sendWaiting()
{
    if (!m_ready || m_unanswered >= maxUnanswered || m_waiting.isEmpty())
        return;
    QString script;
    for (const PageCall &call : m_waiting.take())
        script += call.write ? inOrder(call.write()) : call.script;
    ++m_unanswered;
    const int generation = m_generation;
    runJavaScript(script, [this, alive = QPointer<QObject>(&m_alive), generation](const QVariant &) {
        if (!alive || m_generation != generation)
            return;
        --m_unanswered;
        sendWaiting();
    });
}

bool ChartPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    Q_UNUSED(type)
    if (m_loading && isMainFrame && url == m_url)
        return true;
    qCWarning(lcChartPage, "Refused to leave the chart page for %s", qPrintable(url.toString()));
    return false;
}

QWebEnginePage *ChartPage::createWindow(WebWindowType type)
{
    Q_UNUSED(type)
    qCWarning(lcChartPage, "Refused to open a window from the chart page");
    return nullptr;
}

void ChartPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                         int lineNumber, const QString &sourceId)
{
    if (level == ErrorMessageLevel)
        qCWarning(lcChartPage, "%s:%d: %s", qPrintable(sourceId), lineNumber, qPrintable(message));
    else
        qCDebug(lcChartPage, "%s:%d: %s", qPrintable(sourceId), lineNumber, qPrintable(message));
}

void ChartPage::loaded(bool ok)
{
    // A refused navigation ends as a failed load of its own; the chart page
    // stays as it is.
    if (!m_loading)
        return;
    m_loading = false;
    ++m_generation;
    m_unanswered = 0;
    m_ready = ok;
    if (!ok) {
        m_failed = true;
        giveUpQuestions();
        qCWarning(lcChart, "The chart page %s failed to load; the chart stays empty", qPrintable(m_url.toString()));
        return;
    }
    // Everything the page needs, the waiting calls among them, is in the log;
    // the questions asked meanwhile follow it.
    const QList<PageCall> waiting = m_waiting.take();
    for (const PageCall &call : m_log.calls())
        m_waiting.keep(call);
    for (const PageCall &call : waiting) {
        if (isQuestion(call))
            m_waiting.keep(call);
    }
    sendWaiting();
}

void ChartPage::died(RenderProcessTerminationStatus status)
{
    m_ready = false;
    giveUpQuestions();
    if (status == NormalTerminationStatus) {
        m_failed = true;
        return;
    }
    // A renderer that dies again soon after a replay may have been killed by
    // what was replayed (a fragment too large to draw, say): start again from
    // the empty chart rather than crash over and over.
    if (m_reloaded.isValid() && m_reloaded.elapsed() < 10000) {
        m_log.clear();
        m_waiting.clear();
    }
    m_reloaded.start();
    // Not from inside the engine's notification.
    QTimer::singleShot(0, this, &ChartPage::reload);
}

} // namespace KzChartHost
