#include "kzchartpage.h"
#include "kzchartattachments.h"
#include "kzchartlogging.h"

#include <QTimer>

namespace KzChartHost {

ChartPage::ChartPage(QObject *parent)
    : QWebEnginePage(parent)
{
    connect(this, &QWebEnginePage::loadFinished, this, &ChartPage::loaded);
    connect(this, &QWebEnginePage::renderProcessTerminated, this, &ChartPage::died);
    serveAttachments(this);
}

void ChartPage::start(const QUrl &url)
{
    m_url = url;
    load(url);
}

void ChartPage::run(const QString &script, const QString &key, const Attachments &attachments)
{
    PageCall call{key, QString(), {}};
    // The page runs every call in order, and none before the attachments
    // fetched ahead of it have come (pagecalls.js).
    for (const Attachment &attachment : attachments) {
        offerAttachment(this, attachment);
        call.attachmentIds.append(attachment.id);
    }
    if (!call.attachmentIds.isEmpty()) {
        call.script = QStringLiteral("fetchAttachments([\"") + call.attachmentIds.join(QStringLiteral("\",\""))
                + QStringLiteral("\"]);");
    }
    call.script += QStringLiteral("inOrder(function () {") + script + QStringLiteral("});");
    m_log.keep(call);
    if (m_ready)
        runJavaScript(call.script);
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
    m_ready = ok;
    if (!ok) {
        qCWarning(lcChart, "The chart page %s failed to load; the chart stays empty", qPrintable(m_url.toString()));
        return;
    }
    for (const PageCall &call : m_log.calls())
        runJavaScript(call.script);
}

void ChartPage::died(RenderProcessTerminationStatus status)
{
    m_ready = false;
    if (status == NormalTerminationStatus)
        return;
    // A renderer that dies again soon after a replay may have been killed by
    // what was replayed (a fragment too large to draw, say): start again from
    // the empty chart rather than crash over and over.
    if (m_reloaded.isValid() && m_reloaded.elapsed() < 10000)
        m_log.clear();
    m_reloaded.start();
    // Not from inside the engine's notification.
    QTimer::singleShot(0, this, [this] { load(m_url); });
}

} // namespace KzChartHost
