// Ready time, the line charts' setters and every setter's C++ work.
#include "benchsupport.h"
#include "peers.h"
#include "sections.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

namespace {

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

#ifdef KZ_BENCH_QTCHARTS
// Qt Charts: replace() of every series and the axes fitted to the points,
// as ECharts fits them; the view repaints when it next gets to it.
void qtChartsRun(const Settings &settings, Table &table, const QString &label, const QList<Points> &rows,
                 bool openGL, const QString &picture)
{
    QtChartsPlot plot = makeQtChartsPlot(rows.size(), openGL);
    showChart(plot.view.get());
    ShownFrames::instance().watch(plot.view.get());
    QList<QVector<QPointF>> vectors;
    for (const Points &row : rows)
        vectors.append(toPointF(row));
    const double callAt = wallMs();
    QElapsedTimer timer;
    timer.start();
    double low = vectors[0][0].y(), high = low;
    for (int s = 0; s < rows.size(); ++s) {
        plot.series[s]->replace(vectors[s]);
        for (const QPointF &point : qAsConst(vectors[s])) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    plot.x->setRange(vectors[0].first().x(), vectors[0].last().x());
    plot.y->setRange(low, high);
    plot.y->applyNiceNumbers();
    table.add(label + QStringLiteral(": call"), elapsedMs(timer));
    table.add(label + QStringLiteral(": call until shown"),
              ShownFrames::instance().waitFirstAfter(plot.view.get(), callAt) - callAt);
    savePicture(settings, plot.view.get(), picture);
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

// The same option applied by plain ECharts, in the style that the widgets'
// pages give long series (no symbols, no animation), but every point drawn.
const QString floorOption = QStringLiteral(
        "(function (option) { (option.series || []).forEach(function (series) {"
        "  if (Array.isArray(series.data) && series.data.length > largeSeriesThreshold)"
        "    Object.assign(series, {showSymbol: false, animation: false}); }); return option; })(%1)");

// The widget's call, then the same option (text) applied by plain ECharts
// in a bare page.
void widgetAndFloorRun(const Settings &settings, Table &table, const QString &label, QWidget *chart,
                       QWebEngineView *bare, const QString &apply, const QString &text,
                       const std::function<void()> &call, const QString &picture)
{
    QWebEngineView *view = chartView(chart);
    armPainted(view);
    double callAt = wallMs();
    QElapsedTimer timer;
    timer.start();
    call();
    table.add(label + QStringLiteral(": call"), elapsedMs(timer));
    const Painted painted = waitPainted(view, callAt, 1000);
    table.add(label + QStringLiteral(": call until shown"), painted.shownMs);
    table.add(label + QStringLiteral(": longest wait for an answer within 1 s"), painted.longestWaitMs);
    savePicture(settings, chart, picture);
    if (!bare)
        return;

    armPainted(bare);
    callAt = wallMs();
    bare->page()->runJavaScript(apply.arg(floorOption.arg(text)));
    const Painted floor = waitPainted(bare, callAt, 1000);
    table.add(label + QStringLiteral(", floor: until shown"), floor.shownMs);
    table.add(label + QStringLiteral(", floor: longest wait for an answer within 1 s"), floor.longestWaitMs);
    savePicture(settings, bare, picture.isEmpty() ? picture : picture + QStringLiteral("-floor"));
}

} // namespace

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
        makeQtChartsPlot(1, false);
        table.add(QStringLiteral("peer: QChartView with one QLineSeries and two axes"), elapsedMs(timer));
#endif
    }
    table.print();
}

void benchSetters(const Settings &settings)
{
    const auto lineChart = std::make_unique<KzChartLine>();
    const auto zoomChart = std::make_unique<KzChartLineZoom>();
    auto lineBare = barePage(QStringLiteral("line.html"));
    auto zoomBare = barePage(QStringLiteral("lineZoom.html"));
    for (QWebEngineView *view : {lineBare.get(), zoomBare.get(), chartView(lineChart.get()), chartView(zoomChart.get())}) {
        showChart(view->window());
        ShownFrames::instance().watch(webSurface(view));
    }
    const QStringList names{"S0", "S1", "S2", "S3"};

    for (int count : settings.counts) {
        Table table(QStringLiteral("Line charts with %1 points per series (ms); floor: plain ECharts in a bare page"
                                   " given the same JSON, every point drawn, no symbols").arg(count));
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
            lineTexts.append(capturedOption(lineChart.get(), rows[variant].mid(0, 3), setLine(variant)));
            zoomTexts.append(capturedOption(zoomChart.get(), rows[variant], setZoom(variant)));
        }
        for (int run = 0; run < settings.runs; ++run) {
            const int variant = run % 2;
            // Pictures of the first run only, one per contender.
            const auto picture = [&](const char *contender) {
                return run ? QString() : QStringLiteral("setters-%1-%2").arg(count).arg(QLatin1String(contender));
            };
            QElapsedTimer timer;
            timer.start();
            const QString plain = QString::fromStdString(plainSeriesText(rows[variant].mid(0, 3)));
            table.add(QStringLiteral("plain writer, same series text (std::to_chars)"), elapsedMs(timer));
            const bool floor = count <= settings.floorLimit;
            widgetAndFloorRun(settings, table, lineLabel, lineChart.get(), floor ? lineBare.get() : nullptr,
                              QStringLiteral("myChart.setOption(%1)"), lineTexts[variant], setLine(variant),
                              picture("KzChartLine"));
            widgetAndFloorRun(settings, table, zoomLabel, zoomChart.get(), floor ? zoomBare.get() : nullptr,
                              QStringLiteral("myChart.setOption(%1, true)"), zoomTexts[variant], setZoom(variant),
                              picture("KzChartLineZoom"));
#ifdef KZ_BENCH_QTCHARTS
            qtChartsRun(settings, table, QStringLiteral("Qt Charts replace() 3 series, software"),
                        rows[variant].mid(0, 3), false, picture("QtCharts-software"));
            qtChartsRun(settings, table, QStringLiteral("Qt Charts replace() 3 series, OpenGL"),
                        rows[variant].mid(0, 3), true, picture("QtCharts-OpenGL"));
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
