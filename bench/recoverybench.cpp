// A chart's renderer killed with SIGKILL: the time until the chart has its
// data back (the library reloads the page and replays the calls by itself),
// against a bare view showing the same page that is reloaded by hand once
// the termination is reported. The two take turns at going first.
#include "benchsupport.h"
#include "sections.h"

#include <kzchartline.h>

#include <QElapsedTimer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <signal.h>

namespace {

struct Recovery
{
    double terminated = 0;
    double loaded = 0;
    double back = 0;
};

// Kills view's renderer and runs the event loop until back(the times so far)
// says the page is back, or 20 s; the times are in ms from the kill.
Recovery killRenderer(QWebEngineView *view, const std::function<bool(const Recovery &)> &back)
{
    Recovery result;
    QElapsedTimer sinceKill;
    const auto terminated = QObject::connect(view->page(), &QWebEnginePage::renderProcessTerminated, view,
                                             [&] { result.terminated = elapsedMs(sinceKill); });
    const auto loaded = QObject::connect(view->page(), &QWebEnginePage::loadFinished, view,
                                         [&] { result.loaded = elapsedMs(sinceKill); });
    sinceKill.start();
    ::kill(pid_t(view->page()->renderProcessPid()), SIGKILL);
    while (!back(result) && sinceKill.elapsed() < 20000)
        settle(2);
    result.back = elapsedMs(sinceKill);
    QObject::disconnect(terminated);
    QObject::disconnect(loaded);
    return result;
}

void chartRun(Table &table)
{
    KzChartLine chart;
    chart.setLegends({"A", "B", "C"}, QStringLiteral("bottom"));
    chart.setDatas(QList<Points>{wave(200, 0), wave(200, 1), wave(200, 2)});
    showChart(&chart);
    settle(1000);
    QWebEngineView *view = chartView(&chart);
    const Recovery recovery = killRenderer(view, [&](const Recovery &sofar) {
        return sofar.loaded > 0
                && evaluate(view, QStringLiteral("myChart.getModel().getSeries().length === 3")).toBool();
    });
    const QString label = QStringLiteral("KzChartLine, reloaded and replayed by the library: ");
    table.add(label + QStringLiteral("termination reported"), recovery.terminated);
    table.add(label + QStringLiteral("page loaded"), recovery.loaded);
    table.add(label + QStringLiteral("data back"), recovery.back);
}

void bareRun(Table &table)
{
    auto view = barePage(QStringLiteral("line.html"));
    showChart(view.get());
    settle(1000);
    // Reloading from inside the engine's notification would never finish.
    QObject::connect(view->page(), &QWebEnginePage::renderProcessTerminated, view.get(),
                     [&] { QTimer::singleShot(0, view.get(), [&] { view->reload(); }); });
    const Recovery recovery = killRenderer(view.get(), [](const Recovery &sofar) { return sofar.loaded > 0; });
    const QString label = QStringLiteral("bare QWebEngineView, reloaded by hand: ");
    table.add(label + QStringLiteral("termination reported"), recovery.terminated);
    table.add(label + QStringLiteral("page loaded"), recovery.loaded);
}

} // namespace

void benchRecovery(const Settings &settings)
{
    Table table("Renderer killed with SIGKILL (ms from the kill)");
    for (int run = 0; run < settings.runs; ++run) {
        if (run % 2) {
            bareRun(table);
            chartRun(table);
        } else {
            chartRun(table);
            bareRun(table);
        }
    }
    table.print();
}
