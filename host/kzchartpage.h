#ifndef KZCHARTPAGE_H
#define KZCHARTPAGE_H

#include "kzchartjsonwriter.h"
#include "kzchartreplaylog.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QWebEnginePage>

namespace KzChartHost {

// The page of a chart view: the bridge through which the host's calls reach
// the chart. It holds calls back until the page has loaded, runs them in the
// order they were made, each after the attachments of the calls before it
// have arrived, and remembers them (ReplayLog), so that a page whose renderer
// process died comes back loaded again and showing what the host had set.
// What the page writes to its console goes to the logging category
// kzchart.page instead of the host's console.
class ChartPage : public QWebEnginePage
{
public:
    explicit ChartPage(QObject *parent);

    // Loads the chart page at url; a page that fails to load is reported.
    void start(const QUrl &url);
    // True once the page has loaded, until its renderer dies.
    bool isReady() const { return m_ready; }

    // Runs script in the page without waiting for it. The call replaces the
    // remembered call of the same key (see ReplayLog).
    void run(const QString &script, const QString &key, const Attachments &attachments = {});

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;

private:
    void loaded(bool ok);
    void died(RenderProcessTerminationStatus status);

    QUrl m_url;
    bool m_ready = false;
    ReplayLog m_log;
    QElapsedTimer m_reloaded;
};

} // namespace KzChartHost

#endif // KZCHARTPAGE_H
