// Construction cost of a chart widget against a bare web view loading the
// same page (with an empty web channel, so that the page's script runs
// through), and the cost of a setter round trip. Prints medians.
#include <kzchartbar.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void waitForLoad(QWebEngineView *view, const QUrl &url)
{
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    view->load(url);
    loop.exec();
}

// Waits until everything the page was sent before has run there.
void roundTrip(QWebEngineView *view)
{
    QEventLoop loop;
    view->page()->runJavaScript(QStringLiteral("0"), [&loop](const QVariant &) { loop.quit(); });
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // The bare view's page warns about its zero size while hidden; noise here.
    QLoggingCategory::setFilterRules(QStringLiteral("js=false"));
    const int runs = 15;
    const QUrl barPage(QStringLiteral("qrc:///ECharts/Resources/ECharts/bar.html"));

    std::vector<double> bare, widget, setters;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(timeMs([&] {
            QWebEngineView view;
            QWebChannel channel;
            view.page()->setWebChannel(&channel);
            waitForLoad(&view, barPage);
        }));
        widget.push_back(timeMs([] { KzChartBar chart; }));

        KzChartBar chart;
        QWebEngineView *view = chart.findChild<QWebEngineView *>();
        QList<QList<double>> rows;
        QStringList names, categories;
        for (int s = 0; s < 5; ++s) {
            names.append(QStringLiteral("series %1").arg(s));
            QList<double> row;
            for (int c = 0; c < 365; ++c)
                row.append(s * 100.0 + c * 0.5);
            rows.append(row);
        }
        for (int c = 0; c < 365; ++c)
            categories.append(QStringLiteral("day %1").arg(c));
        setters.push_back(timeMs([&] {
            chart.setLegends(names);
            chart.setCategories(categories);
            chart.setDatas(rows);
            roundTrip(view);
        }));
    }

    std::printf("%-52s %10s\n", "case (median of 15 runs)", "ms");
    std::printf("%-52s %10.1f\n", "bare QWebEngineView + empty channel loading bar.html", median(bare));
    std::printf("%-52s %10.1f\n", "KzChartBar construction (view, channel, load)", median(widget));
    std::printf("%-52s %10.1f\n", "legends + 365 categories + 5x365 values, applied", median(setters));
    return 0;
}
