// What the chart widgets cost, next to a bare page doing the same work with
// ECharts directly (the floor) and to the native peers a Qt developer would
// otherwise pick (Qt Charts, QCustomPlot and Qwt, when built with them).
// Every section prints the number of samples behind each figure; the
// sections are in sections.h.
//
//   kzchartbench [--smoke | --full] [--process-per-site] [--pictures DIR]
//                [--live-seconds N]
//                [--sections ready,setters,calls,dashboard,memory,live,recovery,export]
//
// scripts/bench.sh runs it under Xvfb, once as it is and once in Chromium's
// process-per-site mode (KzChart::useProcessPerSite()).
#include "benchsupport.h"
#include "sections.h"

#include <kzchartglobal.h>

#include <QApplication>
#include <QLoggingCategory>

#include <cstdio>

int main(int argc, char *argv[])
{
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--process-per-site") == 0)
            settings.processPerSite = KzChart::useProcessPerSite();
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Bare pages write ECharts' development notices to the console, and Qt
    // WebEngine 6 its graphics set-up; noise here.
    QLoggingCategory::setFilterRules(QStringLiteral("js=false\nqt.webenginecontext.info=false"));

    const QStringList args = app.arguments();
    const auto value = [&](const char *option) {
        const int at = args.indexOf(QLatin1String(option));
        return at > 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
    };
    if (args.contains(QStringLiteral("--smoke"))) {
        settings.runs = 1;
        settings.counts = {100};
        settings.chartCounts = {1, 2};
        settings.dashboardBig = 1000;
        settings.liveRetention = 1000;
        settings.liveSeconds = 1;
        settings.liveCatchUpMs = 1000;
        settings.liveDashboard = false;
    } else if (args.contains(QStringLiteral("--full"))) {
        settings.runs = 15;
        settings.counts = {1000, 10000, 100000, 300000};
        settings.floorLimit = 300000;
    }
    if (!value("--live-seconds").isEmpty())
        settings.liveSeconds = value("--live-seconds").toInt();
    if (!value("--sections").isEmpty())
        settings.sections = value("--sections").split(QLatin1Char(','));
    settings.pictures = value("--pictures");

    std::printf("KzChartWidget benchmark: %d runs, Qt %s, QTWEBENGINE_CHROMIUM_FLAGS=\"%s\", load average %s\n",
                settings.runs, qVersion(), qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").constData(),
                qPrintable(loadAverage()));
    const std::vector<std::pair<QString, void (*)(const Settings &)>> sections{
            {"ready", benchReady},         {"setters", benchSetters}, {"calls", benchCalls},
            {"dashboard", benchDashboard}, {"memory", benchMemory},   {"live", benchLive},
            {"recovery", benchRecovery},   {"export", benchExport},
    };
    for (const auto &section : sections) {
        if (settings.sections.contains(section.first))
            section.second(settings);
    }
    std::printf("\nload average at the end: %s\n", qPrintable(loadAverage()));
    return 0;
}
