#ifndef KZCHARTPAGE_H
#define KZCHARTPAGE_H

#include "kzchartanswers.h"
#include "kzchartjsonwriter.h"
#include "kzchartreplaylog.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QWebEnginePage>

namespace KzChartHost {

// The page of a chart view: the bridge through which the host's calls reach
// the chart, and the wall around it.
//
// Calls: the page holds them back until it has loaded, runs them in the order
// they were made, each after the attachments of the calls before it have
// arrived, and remembers them (ReplayLog), so that a page whose renderer
// process died comes back loaded again and showing what the host had set.
// Questions (ask()) run in that order too, so that the page answers them as
// it stands after every call made before; they are not remembered, and a
// page that dies gives up the questions it has not answered.
// A few calls are on their way to the page at a time; calls made while the
// page has not yet answered those wait in the host, where a newer call of
// the same key takes the place of a waiting one (as in the replay log), and
// then go to the page together. A burst of calls thus costs the page what
// its last calls cost.
//
// The wall: the page stays on its chart page. Navigation anywhere else
// (links, location, forms, history), new windows and downloads are refused
// before a request leaves, and reported in the logging category
// kzchart.page, as is everything the page writes to its console.
class ChartPage : public QWebEnginePage
{
public:
    explicit ChartPage(QObject *parent);
    ~ChartPage() override;

    // Loads the chart page at url, publishing the page's answers (see ask())
    // on its web channel; a page that fails to load is reported.
    void start(const QUrl &url);
    // True once the page has loaded, until its renderer dies.
    bool isReady() const { return m_ready; }

    // Runs script in the page without waiting for it. The call replaces the
    // remembered call of the same key (see ReplayLog).
    void run(const QString &script, const QString &key, const Attachments &attachments = {});
    // Runs the script that write() returns as the call leaves for the page,
    // and again whenever the page is loaded anew. A written call that waits
    // gives way to a newer one of the same key, which then writes what both
    // would have carried: calls whose content only grows (appended samples)
    // merge rather than pile up, and the replay log holds one of them.
    void runWritten(const QString &key, const std::function<QString()> &write);
    // How many times the page has been loaded: a written call that finds a
    // count other than at its last writing writes for a page that has
    // nothing of what it wrote before.
    int loads() const { return m_generation; }
    // Evaluates expression in the page after every call made before, and
    // hands its value to receiver (see PageAnswers): a null QVariant when the
    // expression throws, the page failed to load, its renderer died before
    // answering or the page is deleted.
    void ask(const QString &expression, PageAnswers::Receiver receiver);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;

private:
    void reload();
    void loaded(bool ok);
    void died(RenderProcessTerminationStatus status);
    void keepAndSend(const PageCall &call);
    // Sends the waiting calls as one script, if the page can take them.
    void sendWaiting();
    // Gives up the open questions, sent or waiting.
    void giveUpQuestions();

    const QByteArray m_secret;
    QUrl m_url;
    // The page navigates only while the host loads it.
    bool m_loading = false;
    bool m_ready = false;
    // The page failed to load, or its renderer ended without a reload.
    bool m_failed = false;
    ReplayLog m_log;
    // Calls not yet sent, and how many sent scripts the page has not answered.
    KeyedCalls m_waiting;
    int m_unanswered = 0;
    // Answers to scripts sent before the last (re)load count for nothing.
    int m_generation = 0;
    QElapsedTimer m_reloaded;
    PageAnswers *const m_answers;
    // Lives exactly as long as the ChartPage part of this page: ~QWebEnginePage
    // answers the scripts still running after that part has ended, when a
    // QPointer to the page would still hand it out.
    QObject m_alive;
};

} // namespace KzChartHost

#endif // KZCHARTPAGE_H
