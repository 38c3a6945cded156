// What the chart widgets cost, next to a bare page doing the same work with
// ECharts directly (the floor) and to Qt Charts (the peer, when built with
// it): ready time, C++ call time and call-until-painted of the line charts,
// memory per chart, and a dashboard of six charts. Every timing is repeated
// with the contenders interleaved and printed as median, min and max.
//
//   kzchartbench [--smoke | --full] [--process-per-site]
//                [--sections ready,setters,calls,memory,dashboard]
//
// scripts/bench.sh runs it under Xvfb, once as it is and once in Chromium's
// process-per-site mode (KzChart::useProcessPerSite()).
#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGridLayout>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

#ifdef KZ_BENCH_QTCHARTS
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#endif

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifdef KZ_BENCH_QTCHARTS
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
using namespace QtCharts;
#endif
#endif

namespace {

using Points = QList<QPair<double, double>>;
const QSize chartSize(1000, 600);

struct Settings
{
    int runs = 9;
    QList<int> counts{1000, 10000, 100000};
    QList<int> chartCounts{1, 5, 10, 20};
    int dashboardBig = 100000;
    // Plain ECharts takes many seconds per run beyond this; --full goes on.
    int floorLimit = 10000;
    QStringList sections{"ready", "setters", "calls", "memory", "dashboard"};
};

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// ---- Reporting -------------------------------------------------------------

// Timings by row label, in the order the rows were first seen.
class Table
{
public:
    explicit Table(const QString &title) : m_title(title.toUtf8()) {}
    void add(const QString &row, double ms)
    {
        if (!m_values.count(row))
            m_order.append(row);
        m_values[row].push_back(ms);
    }
    void print() const
    {
        std::printf("\n%s\n%-72s %9s %9s %9s\n", m_title.constData(), "", "median", "min", "max");
        for (const QString &row : m_order) {
            std::vector<double> values = m_values.at(row);
            std::sort(values.begin(), values.end());
            std::printf("%-72s %9.1f %9.1f %9.1f\n", qPrintable(row), values[values.size() / 2], values.front(),
                        values.back());
        }
        std::fflush(stdout);
    }

private:
    QByteArray m_title;
    QStringList m_order;
    std::map<QString, std::vector<double>> m_values;
};

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2)
                                          : QStringLiteral("unknown");
}

// ---- Pages -----------------------------------------------------------------

QVariant evaluate(QWebEngineView *view, const QString &script)
{
    // Shared state: a late answer must not write into a finished call.
    auto result = std::make_shared<std::pair<bool, QVariant>>();
    QEventLoop loop;
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    view->page()->runJavaScript(script, [result, &loop](const QVariant &value) {
        *result = {true, value};
        loop.quit();
    });
    if (!result->first)
        loop.exec();
    return result->second;
}

// Marks the page unpainted; the next "finished" of the chart plus one frame
// marks it painted again. Runs before the calls made after it.
void armPainted(QWebEngineView *view)
{
    view->page()->runJavaScript(QStringLiteral(
            "if (!window.kzBench) { window.kzBench = {};"
            "  myChart.on('finished', function () {"
            "    if (!window.waitingCalls) requestAnimationFrame(function () { kzBench.painted = true; }); }); }"
            "kzBench.painted = false;"));
}

// When the page was first seen painted, and the longest wait for one of its
// answers meanwhile: how long the page kept the host (and the mouse, whose
// events the same thread handles) waiting.
struct Painted
{
    double paintedMs = 0;
    double longestWaitMs = 0;
};

// Asks the page every 2 ms whether it has painted, until it has and until
// watchMs have passed on since (a fixed watch gives every contender the
// same number of questions); times are on since's clock.
Painted waitPainted(QWebEngineView *view, const QElapsedTimer &since, int watchMs = 0)
{
    Painted result;
    for (;;) {
        QElapsedTimer answer;
        answer.start();
        const bool painted = evaluate(view, QStringLiteral("kzBench.painted")).toBool();
        result.longestWaitMs = std::max(result.longestWaitMs, elapsedMs(answer));
        if (painted && result.paintedMs == 0)
            result.paintedMs = elapsedMs(since);
        if ((painted && since.elapsed() >= watchMs) || since.elapsed() > 120000)
            return result;
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

QWebEngineView *chartView(QWidget *chart)
{
    return chart->findChild<QWebEngineView *>();
}

// A bare view with an empty channel showing one of the library's pages.
std::unique_ptr<QWebEngineView> barePage(const QString &page)
{
    auto view = std::make_unique<QWebEngineView>();
    auto *channel = new QWebChannel(view.get());
    view->page()->setWebChannel(channel);
    QEventLoop loop;
    QObject::connect(view.get(), &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    view->load(QUrl(QStringLiteral("qrc:///ECharts/Resources/ECharts/") + page));
    loop.exec();
    return view;
}

template <typename Widget>
std::unique_ptr<QWidget> shown(std::unique_ptr<Widget> widget)
{
    widget->resize(chartSize);
    widget->show();
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    return widget;
}

// ---- Data ------------------------------------------------------------------

// A wave with noise, two decimals, like a sensor's readings; the variant
// changes the noise, so that consecutive calls always change the chart.
Points wave(int count, int seed, int variant = 0)
{
    Points points;
    points.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double noise = ((i * 7919 + seed * 104729 + variant * 15485863) % 1000) / 1000.0;
        points.append({double(i), std::round((20.0 * seed + 5 * std::sin(i * 20.0 / count) + noise) * 100) / 100});
    }
    return points;
}

// [[x, y], ...] written with std::to_chars into text.
void appendPlainPoints(std::string &text, const Points &points)
{
    char buffer[32];
    text += '[';
    for (int i = 0; i < points.size(); ++i) {
        text += i ? ",[" : "[";
        text.append(buffer, std::to_chars(buffer, buffer + 32, int(points[i].first)).ptr);
        text += ',';
        text.append(buffer, std::to_chars(buffer, buffer + 32, points[i].second).ptr);
        text += ']';
    }
    text += ']';
}

// The series part of the line chart's text, written with std::to_chars into
// a std::string: what a plain streaming writer needs for the same text.
std::string plainSeriesText(const QList<Points> &rows)
{
    std::string text = "{\"series\":[";
    for (int s = 0; s < rows.size(); ++s) {
        text += s ? ",{\"data\":" : "{\"data\":";
        appendPlainPoints(text, rows[s]);
        text += ",\"name\":\"S" + std::to_string(s) + "\",\"symbolSize\":10,\"type\":\"line\"}";
    }
    return text + "]}";
}

// ---- Sections --------------------------------------------------------------

void benchReady(const Settings &settings)
{
    Table table("Ready time (ms): constructor until the page has loaded");
    const std::vector<std::pair<QString, std::function<std::unique_ptr<QWidget>()>>> widgets{
            {"KzChartBar", [] { return std::make_unique<KzChartBar>(); }},
            {"KzChartStack", [] { return std::make_unique<KzChartStack>(); }},
            {"KzChartPie", [] { return std::make_unique<KzChartPie>(); }},
            {"KzChartDonut", [] { return std::make_unique<KzChartDonut>(); }},
            {"KzChartLine", [] { return std::make_unique<KzChartLine>(); }},
            {"KzChartLineZoom", [] { return std::make_unique<KzChartLineZoom>(); }},
    };
    for (int run = 0; run < settings.runs; ++run) {
        for (const auto &widget : widgets) {
            QElapsedTimer timer;
            timer.start();
            auto chart = widget.second();
            table.add(widget.first, elapsedMs(timer));
        }
        QElapsedTimer timer;
        timer.start();
        auto view = barePage(QStringLiteral("line.html"));
        table.add(QStringLiteral("floor: bare QWebEngineView + channel, line.html"), elapsedMs(timer));
#ifdef KZ_BENCH_QTCHARTS
        timer.restart();
        {
            QChartView chartView(new QChart);
            chartView.chart()->addSeries(new QLineSeries);
            chartView.chart()->createDefaultAxes();
        }
        table.add(QStringLiteral("peer: QChartView with one QLineSeries"), elapsedMs(timer));
#endif
    }
    table.print();
}

#ifdef KZ_BENCH_QTCHARTS
// Qt Charts: replace() of every series, then a synchronous repaint.
void qtChartsRun(Table &table, const QString &label, const QList<Points> &rows, bool openGL)
{
    QChartView view;
    view.resize(chartSize);
    QList<QLineSeries *> series;
    for (int s = 0; s < rows.size(); ++s) {
        series.append(new QLineSeries);
        series.last()->setUseOpenGL(openGL);
        view.chart()->addSeries(series.last());
    }
    view.chart()->createDefaultAxes();
    view.show();
    QCoreApplication::processEvents();
    QList<QVector<QPointF>> vectors;
    for (const Points &row : rows) {
        QVector<QPointF> points;
        points.reserve(row.size());
        for (const auto &point : row)
            points.append(QPointF(point.first, point.second));
        vectors.append(points);
    }
    QElapsedTimer timer;
    timer.start();
    for (int s = 0; s < rows.size(); ++s)
        series[s]->replace(vectors[s]);
    table.add(label + QStringLiteral(": call"), elapsedMs(timer));
    view.repaint();
    QCoreApplication::processEvents();
    table.add(label + QStringLiteral(": until painted"), elapsedMs(timer));
}
#endif

// The text of the option that call makes the chart's page receive, as the
// page's JSON.stringify writes it, with the points of rows (in series order)
// in place of the attachments that long series go as: what a bare page needs.
QString capturedOption(QWidget *chart, const QList<Points> &rows, const std::function<void()> &call)
{
    QWebEngineView *view = chartView(chart);
    evaluate(view, QStringLiteral("window.kzText = null; if (!window.kzWrapped) { kzWrapped = setChartOption;"
                                  " setChartOption = function (o) { if (kzText === null) kzText = JSON.stringify(o);"
                                  " return kzWrapped.apply(this, arguments); }; }"));
    call();
    // Long series reach setChartOption once their attachments have come.
    QElapsedTimer timer;
    timer.start();
    QString text;
    while (text.isEmpty() && timer.elapsed() < 60000)
        text = evaluate(view, QStringLiteral("kzText")).toString();
    static const QRegularExpression attachment(QStringLiteral("\\{\"attachment\":\"[^\"]*\",\"pairs\":true\\}"));
    for (const Points &row : rows) {
        const QRegularExpressionMatch match = attachment.match(text);
        if (!match.hasMatch())
            break;
        std::string points;
        appendPlainPoints(points, row);
        text.replace(match.capturedStart(), match.capturedLength(), QString::fromStdString(points));
    }
    return text;
}

// The widget's call, then the same option (text) applied by plain ECharts
// in a bare page.
void widgetAndFloorRun(Table &table, const QString &label, QWidget *chart, QWebEngineView *bare,
                       const QString &apply, const QString &text, const std::function<void()> &call)
{
    QWebEngineView *view = chartView(chart);
    armPainted(view);
    QElapsedTimer timer;
    timer.start();
    call();
    table.add(label + QStringLiteral(": call"), elapsedMs(timer));
    const Painted painted = waitPainted(view, timer, 1000);
    table.add(label + QStringLiteral(": until painted"), painted.paintedMs);
    table.add(label + QStringLiteral(": longest wait for an answer within 1 s"), painted.longestWaitMs);
    if (!bare)
        return;

    armPainted(bare);
    timer.restart();
    bare->page()->runJavaScript(apply.arg(text));
    const Painted floor = waitPainted(bare, timer, 1000);
    table.add(label + QStringLiteral(", floor: until painted"), floor.paintedMs);
    table.add(label + QStringLiteral(", floor: longest wait for an answer within 1 s"), floor.longestWaitMs);
}

void benchSetters(const Settings &settings)
{
    const auto lineWidget = shown(std::make_unique<KzChartLine>());
    const auto zoomWidget = shown(std::make_unique<KzChartLineZoom>());
    auto *lineChart = static_cast<KzChartLine *>(lineWidget.get());
    auto *zoomChart = static_cast<KzChartLineZoom *>(zoomWidget.get());
    auto lineBare = barePage(QStringLiteral("line.html"));
    auto zoomBare = barePage(QStringLiteral("lineZoom.html"));
    lineBare->resize(chartSize);
    lineBare->show();
    zoomBare->resize(chartSize);
    zoomBare->show();
    const QStringList names{"S0", "S1", "S2", "S3"};

    for (int count : settings.counts) {
        Table table(QStringLiteral("Line charts with %1 points per series (ms); floor: plain ECharts in a bare page"
                                   " given the same JSON").arg(count));
        // Two variants of the data, used in turn.
        QList<QList<Points>> rows{{}, {}};
        QList<KzChartLineZoom::SeriesMap> maps{{}, {}};
        for (int variant = 0; variant < 2; ++variant) {
            for (int s = 0; s < names.size(); ++s) {
                rows[variant].append(wave(count, s, variant));
                maps[variant].insert(names[s], rows[variant].last());
            }
        }
        lineChart->setLegends(names.mid(0, 3), QStringLiteral("bottom"));
        lineChart->setCategories(0, count, 5, 1);
        evaluate(lineBare.get(), QStringLiteral("myChart.setOption({xAxis: [{type: 'value', min: 0, max: %1}]})")
                                          .arg(count));
        const QString lineLabel = QStringLiteral("KzChartLine::setDatas 3 x (x, y)");
        const QString zoomLabel = QStringLiteral("KzChartLineZoom::setOption 4 series");
        const auto setLine = [&](int variant) { return [&, variant] { lineChart->setDatas(rows[variant].mid(0, 3)); }; };
        const auto setZoom = [&](int variant) {
            return [&, variant] {
                zoomChart->setOption(1, names, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, 0, count, 5, 1,
                                     false, false, -10, 90, 5, 1, maps[variant]);
            };
        };
        QStringList lineTexts, zoomTexts;
        for (int variant = 0; variant < 2; ++variant) {
            lineTexts.append(capturedOption(lineChart, rows[variant].mid(0, 3), setLine(variant)));
            zoomTexts.append(capturedOption(zoomChart, rows[variant], setZoom(variant)));
        }
        for (int run = 0; run < settings.runs; ++run) {
            const int variant = run % 2;
            QElapsedTimer timer;
            timer.start();
            const QString plain = QString::fromStdString(plainSeriesText(rows[variant].mid(0, 3)));
            table.add(QStringLiteral("plain writer, same series text (std::to_chars)"), elapsedMs(timer));
            const bool floor = count <= settings.floorLimit;
            widgetAndFloorRun(table, lineLabel, lineChart, floor ? lineBare.get() : nullptr,
                              QStringLiteral("myChart.setOption(%1)"), lineTexts[variant], setLine(variant));
            widgetAndFloorRun(table, zoomLabel, zoomChart, floor ? zoomBare.get() : nullptr,
                              QStringLiteral("myChart.setOption(%1, true)"), zoomTexts[variant], setZoom(variant));
#ifdef KZ_BENCH_QTCHARTS
            qtChartsRun(table, QStringLiteral("Qt Charts replace() 3 series, software"), rows[variant].mid(0, 3), false);
            qtChartsRun(table, QStringLiteral("Qt Charts replace() 3 series, OpenGL"), rows[variant].mid(0, 3), true);
#endif
        }
        table.print();
    }
}

// The C++ work of setters given 100k items, against a plain writer of the
// same numbers or labels (std::to_chars into a std::string, then a QString).
void benchCalls(const Settings &settings)
{
    const int count = settings.counts.last();
    Table table(QStringLiteral("C++ call of setters with %1 items per list (ms), against a plain writer").arg(count));
    KzChartBar bar;
    KzChartStack stack;
    KzChartPie pie;
    KzChartLine line;
    QStringList labels, names{"A", "B", "C"};
    QList<QList<double>> rows{{}, {}, {}};
    QList<int> slices;
    for (int i = 0; i < count; ++i) {
        labels.append(QStringLiteral("L%1").arg(i));
        for (int s = 0; s < rows.size(); ++s)
            rows[s].append(std::round((s * 100 + std::sin(i / 50.0) * 10) * 100) / 100);
        slices.append(i % 1000);
    }
    bar.setLegends(names);
    stack.setLegends(names, true);
    line.setLegends(names, QStringLiteral("bottom"));
    pie.setLegends(labels);
    const std::vector<std::pair<QString, std::function<void()>>> calls{
            {"KzChartBar::setCategories, labels", [&] { bar.setCategories(labels); }},
            {"KzChartBar::setDatas 3 series", [&] { bar.setDatas(rows); }},
            {"KzChartStack::setDatas 3 series", [&] { stack.setDatas(rows); }},
            {"KzChartPie::setDatas, slices", [&] { pie.setDatas(slices); }},
            {"KzChartLine::setCategories, labels", [&] { line.setCategories(labels, true, 0); }},
            {"KzChartLine::setDatas 3 series (attachments)", [&] { line.setDatas(rows); }},
    };
    for (int run = 0; run < settings.runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        std::string text = "{\"xAxis\":[{\"data\":[";
        for (int i = 0; i < count; ++i)
            text += (i ? ",\"" : "\"") + labels[i].toStdString() + '"';
        QString plain = QString::fromStdString(text + "]}]}");
        table.add(QStringLiteral("plain writer, labels"), elapsedMs(timer));
        timer.restart();
        text = "{\"series\":[";
        char buffer[32];
        for (int s = 0; s < rows.size(); ++s) {
            text += s ? ",{\"data\":[" : "{\"data\":[";
            for (int i = 0; i < count; ++i) {
                if (i)
                    text += ',';
                text.append(buffer, std::to_chars(buffer, buffer + 32, rows[s][i]).ptr);
            }
            text += "]}";
        }
        plain = QString::fromStdString(text + "]}");
        table.add(QStringLiteral("plain writer, 3 series of numbers"), elapsedMs(timer));
        for (const auto &call : calls) {
            timer.restart();
            call.second();
            table.add(call.first, elapsedMs(timer));
            // The pages' work is not part of the call: let them finish it.
            for (QWidget *chart : std::initializer_list<QWidget *>{&bar, &stack, &pie, &line})
                evaluate(chartView(chart), QStringLiteral("1"));
        }
    }
    table.print();
}

// ---- Memory ----------------------------------------------------------------

qint64 pssKb(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// PSS of this process and all its descendants (the WebEngine zygote, the
// renderers and the GPU process), in MB.
double treePssMb()
{
    std::map<qint64, QList<qint64>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children[fields.at(1).toLongLong()].append(pid);
    }
    qint64 total = 0;
    QList<qint64> pending{QCoreApplication::applicationPid()};
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        total += pssKb(pid);
        pending += children[pid];
    }
    return total / 1024.0;
}

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void benchMemory(const Settings &settings)
{
    // Every chart has drawn a small line before it is counted.
    std::printf("\nMemory (PSS of this process and its WebEngine processes, MB)\n%-30s %12s %12s %14s\n",
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
            charts.push_back(shown(std::move(chart)));
        }
        settle(1500);
        const double total = treePssMb() - before;
        double peer = 0;
#ifdef KZ_BENCH_QTCHARTS
        {
            const double peerBefore = treePssMb();
            std::vector<std::unique_ptr<QChartView>> views;
            for (int i = 0; i < count; ++i) {
                views.push_back(std::make_unique<QChartView>());
                for (const Points &row : rows) {
                    auto *series = new QLineSeries;
                    for (const auto &point : row)
                        series->append(point.first, point.second);
                    views.back()->chart()->addSeries(series);
                }
                views.back()->resize(chartSize);
                views.back()->show();
            }
            settle(300);
            peer = (treePssMb() - peerBefore) / count;
        }
#endif
        std::printf("%-30d %12.1f %12.1f %14.1f\n", count, total, total / count, peer);
        std::fflush(stdout);
    }
}

// ---- Dashboard ---------------------------------------------------------------

// Six charts in one window (a grid of 3 x 2 at 1000 x 600): their
// construction until all are ready, the memory each adds once it has drawn,
// and five small ones updated alone or while a sixth draws a large series.
void benchDashboard(const Settings &settings)
{
    Table table("Dashboard of six charts in one window (ms; memory in MB)");
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
        table.add(QStringLiteral("memory per chart, six drawn (MB)"), (treePssMb() - before) / 6);
        charts[0]->setLegends({"A"}, QStringLiteral("bottom"));
        for (bool busy : {false, true}) {
            for (KzChartLine *chart : charts)
                armPainted(chartView(chart));
            timer.restart();
            if (busy)
                charts[0]->setDatas(big);
            for (int i = 1; i < 6; ++i)
                charts[i]->setDatas(small);
            for (int i = 1; i < 6; ++i)
                waitPainted(chartView(charts[i]), timer);
            table.add(busy ? QStringLiteral("five small charts painted, a sixth drawing %1 points")
                                     .arg(settings.dashboardBig)
                           : QStringLiteral("five small charts painted, alone"),
                      elapsedMs(timer));
            if (busy)
                waitPainted(chartView(charts[0]), timer);
        }
    }
    table.print();
}

} // namespace

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--process-per-site") == 0)
            KzChart::useProcessPerSite();
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Bare pages write ECharts' development notices to the console; noise here.
    QLoggingCategory::setFilterRules(QStringLiteral("js=false"));

    Settings settings;
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--smoke"))) {
        settings.runs = 1;
        settings.counts = {100};
        settings.chartCounts = {1, 2};
        settings.dashboardBig = 1000;
    } else if (args.contains(QStringLiteral("--full"))) {
        settings.runs = 15;
        settings.counts = {1000, 10000, 100000, 300000};
        settings.floorLimit = 300000;
    }
    const int sectionsAt = args.indexOf(QStringLiteral("--sections"));
    if (sectionsAt > 0 && sectionsAt + 1 < args.size())
        settings.sections = args.at(sectionsAt + 1).split(QLatin1Char(','));

    std::printf("KzChartWidget benchmark: %d runs, Qt %s, QTWEBENGINE_CHROMIUM_FLAGS=\"%s\", load average %s\n",
                settings.runs, qVersion(), qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").constData(),
                qPrintable(loadAverage()));
    if (settings.sections.contains(QStringLiteral("ready")))
        benchReady(settings);
    if (settings.sections.contains(QStringLiteral("setters")))
        benchSetters(settings);
    if (settings.sections.contains(QStringLiteral("calls")))
        benchCalls(settings);
    if (settings.sections.contains(QStringLiteral("dashboard")))
        benchDashboard(settings);
    if (settings.sections.contains(QStringLiteral("memory")))
        benchMemory(settings);
    std::printf("\nload average at the end: %s\n", qPrintable(loadAverage()));
    return 0;
}
