// Several charts at once: a dashboard of six in one window, and the memory
// each chart costs with 1 to 20 alive.
#include "benchsupport.h"
#include "peers.h"
#include "sections.h"

#include <kzchartline.h>

#include <QElapsedTimer>
#include <QGridLayout>
#include <QWebEngineView>

#include <cstdio>

// Six charts in one window (a grid of 3 x 2 at 1000 x 600): their
// construction until all are ready, the memory each adds once it has drawn,
// and five small ones updated alone or while a sixth draws a large series.
// The two rounds take turns at going first.
void benchDashboard(const Settings &settings)
{
    Table table("Dashboard of six charts in one window (ms until the window shows all five; memory in MB)");
    const QList<Points> small{wave(200, 0), wave(200, 1)};
    const QList<Points> big{wave(settings.dashboardBig, 0)};
    for (int run = 0; run < settings.runs; ++run) {
        settle(1000);
        const double before = treePssMb();
        QWidget window;
        auto *grid = new QGridLayout(&window);
        QElapsedTimer timer;
        timer.start();
        QList<KzChartLine *> charts;
        for (int i = 0; i < 6; ++i)
            charts.append(new KzChartLine(&window));
        table.add(QStringLiteral("six KzChartLine ready"), elapsedMs(timer));
        // Without animation: the rounds compare drawing, not a fixed second.
        for (int i = 0; i < 6; ++i) {
            grid->addWidget(charts[i], i / 3, i % 3);
            charts[i]->setLegends({"A", "B"}, QStringLiteral("bottom"));
            charts[i]->setDatas(small);
            evaluate(chartView(charts[i]), QStringLiteral("myChart.setOption({animation: false})"));
        }
        window.resize(chartSize);
        window.show();
        settle(1500);
        for (KzChartLine *chart : charts)
            ShownFrames::instance().watch(webSurface(chartView(chart)));
        table.add(QStringLiteral("memory per chart, six drawn (MB)"), (treePssMb() - before) / 6);
        charts[0]->setLegends({"A"}, QStringLiteral("bottom"));
        for (bool busy : {run % 2 == 1, run % 2 == 0}) {
            for (KzChartLine *chart : charts)
                armPainted(chartView(chart));
            const double callAt = wallMs();
            if (busy)
                charts[0]->setDatas(big);
            for (int i = 1; i < 6; ++i)
                charts[i]->setDatas(small);
            double shown = 0;
            for (int i = 1; i < 6; ++i)
                shown = std::max(shown, waitPainted(chartView(charts[i]), callAt).shownMs);
            table.add(busy ? QStringLiteral("five small charts shown, a sixth drawing %1 points")
                                     .arg(settings.dashboardBig)
                           : QStringLiteral("five small charts shown, alone"),
                      shown);
            if (busy)
                waitPainted(chartView(charts[0]), callAt);
        }
    }
    table.print();
}

void benchMemory(const Settings &settings)
{
    // Every chart has drawn a small line before it is counted; one sample
    // per row.
    std::printf("\nMemory (PSS of this process and its WebEngine processes, MB; one sample each)\n"
                "%-30s %12s %12s %14s\n",
                "charts alive", "KzChartLine", "per chart", "Qt Charts/chart");
    settle(500);
    const double before = treePssMb();
    std::vector<std::unique_ptr<QWidget>> charts;
    const QList<Points> rows{wave(100, 0), wave(100, 1)};
    for (int count : settings.chartCounts) {
        while (int(charts.size()) < count) {
            auto chart = std::make_unique<KzChartLine>();
            chart->setLegends({"A", "B"}, QStringLiteral("bottom"));
            chart->setDatas(rows);
            showChart(chart.get());
            charts.push_back(std::move(chart));
        }
        settle(1500);
        const double total = treePssMb() - before;
        double peer = 0;
#ifdef KZ_BENCH_QTCHARTS
        {
            const double peerBefore = treePssMb();
            std::vector<QtChartsPlot> plots;
            for (int i = 0; i < count; ++i) {
                plots.push_back(makeQtChartsPlot(rows.size(), false));
                for (int s = 0; s < rows.size(); ++s)
                    plots.back().series[s]->replace(toPointF(rows[s]));
                plots.back().x->setRange(0, rows[0].size() - 1);
                plots.back().y->setRange(-5, 26);
                showChart(plots.back().view.get());
            }
            settle(300);
            peer = (treePssMb() - peerBefore) / count;
        }
#endif
        std::printf("%-30d %12.1f %12.1f %14.1f\n", count, total, total / count, peer);
        std::fflush(stdout);
    }
}
