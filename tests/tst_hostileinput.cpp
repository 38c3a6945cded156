#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <functional>
#include <limits>

namespace {

// One set of texts and numbers that a row gives to every setter of a chart.
struct Input
{
    QString text;
    QStringList names;
    QList<double> values;
};

QList<int> whole(const QList<double> &values)
{
    QList<int> result;
    for (double value : values)
        result.append(qIsFinite(value) ? int(value) : 0);
    return result;
}

KzChartLineZoom::SeriesMap points(const QString &name, const QList<double> &values)
{
    QList<QPair<double, double>> row;
    for (int i = 0; i < values.size(); ++i)
        row.append({double(i), values.at(i)});
    return {{name, row}};
}

void feed(KzChartBar *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends({in.text});
    chart->setCategories(in.names);
    chart->setDatas(QList<QList<double>>{in.values});
}

void feed(KzChartStack *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setCategories(in.names);
    chart->setLegends({in.text}, true);
    chart->setDatas(QList<QList<double>>{in.values});
}

void feed(KzChartLine *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends({in.text}, in.text);
    chart->setValueRange(in.values.value(0), in.values.value(1), 5, in.values.value(2));
    chart->setCategories(in.names, true, 0);
    chart->setDatas(QList<QList<double>>{in.values});
}

void feed(KzChartPie *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends(in.names);
    chart->setDatasName(in.text);
    chart->setDatas(whole(in.values));
}

void feed(KzChartDonut *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends(in.names, true, true);
    chart->setDatas(whole(in.values));
    chart->setLabel(in.text, in.text);
}

void feed(KzChartLineZoom *chart, const Input &in)
{
    const double first = in.values.value(0);
    const KzChartLineZoom::AlarmMap alarms = {{first, {{in.text}, {in.text}}}, {1, {{in.text}, {in.text}}}};
    chart->setOption(1, {in.text}, in.text, true, 0, 100, in.text, in.text, in.text, in.text, true, in.names,
                     true, 0, first, in.values.value(1), 5, first, points(in.text, in.values), alarms, in.text,
                     in.text);
    chart->setDepthDate({{in.text, {{in.names.value(0), in.text}}}});
}

using Make = std::function<QWidget *()>;
using Feed = std::function<void(QWidget *, const Input &)>;
// Puts text into every text of a chart that its tooltip shows and returns
// where to hover.
using Show = std::function<QPoint(QWidget *, ChartProbe *, const QString &text)>;

template <typename Chart>
Make maker()
{
    return [] { return new Chart; };
}

template <typename Chart>
Show shower(const std::function<QString(Chart *, const QString &)> &fill)
{
    return [fill](QWidget *chart, ChartProbe *probe, const QString &text) {
        const QString at = fill(static_cast<Chart *>(chart), text);
        probe->disableAnimation();
        return at.isEmpty() ? probe->slicePoint(0) : probe->viewPoint(at);
    };
}

// Opens a chart, waits for its page and watches it; the caller owns both.
QWidget *open(const Make &make, std::unique_ptr<ChartProbe> &probe)
{
    QWidget *chart = make();
    probe.reset(new ChartProbe(chart));
    chart->resize(800, 500);
    chart->show();
    if (!QTest::qWaitForWindowExposed(chart) || !probe->attach({}))
        qFatal("The chart page did not come up");
    return chart;
}

} // namespace

Q_DECLARE_METATYPE(Make)
Q_DECLARE_METATYPE(Feed)
Q_DECLARE_METATYPE(Show)
Q_DECLARE_METATYPE(Input)

// Hostile data and markup through the real pages of all six charts.
class tst_HostileInput : public QObject
{
    Q_OBJECT

    template <typename Chart>
    static void addRows(const char *widget, const QList<QPair<const char *, Input>> &inputs, int million)
    {
        const Make make = maker<Chart>();
        const Feed feeder = [](QWidget *chart, const Input &in) { feed(static_cast<Chart *>(chart), in); };
        for (const auto &input : inputs) {
            const int seconds = input.second.names.size() >= million ? 8 : 2;
            QTest::addRow("%s %s", widget, input.first) << make << feeder << input.second << seconds;
        }
    }

private Q_SLOTS:
    void hostileInput_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<Feed>("feeder");
        QTest::addColumn<Input>("input");
        QTest::addColumn<int>("seconds"); // until the page answers again

        const double inf = std::numeric_limits<double>::infinity();
        const QString lone = QString(QChar(0xD800)) + QChar(0xDC00) + QChar(0xDFFF) + QStringLiteral("x") + QChar(0xD83D);
        const QString mebibyte = QString(1 << 20, QLatin1Char('m')) + lone;
        QStringList many;
        QList<double> manyValues;
        for (int i = 0; i < 1000000; ++i) {
            many.append(QString::number(i));
            manyValues.append(i % 1000);
        }
        const QList<QPair<const char *, Input>> inputs = {
            {"non-finite", {"t", {"a", "b", "c"}, {qQNaN(), inf, -inf}}},
            {"huge texts", {mebibyte, {mebibyte, lone}, {1, 2}}},
            {"empty", {QString(), {}, {}}},
            {"mismatched", {lone, {"a", "b", "c"}, {1}}},
            {"million", {"m", many, manyValues}},
        };
        addRows<KzChartBar>("bar", inputs, 1000000);
        addRows<KzChartStack>("stack", inputs, 1000000);
        addRows<KzChartLine>("line", inputs, 1000000);
        addRows<KzChartPie>("pie", inputs, 1000000);
        addRows<KzChartDonut>("donut", inputs, 1000000);
        addRows<KzChartLineZoom>("lineZoom", inputs, 1000000);
    }

    // Nothing crashes, the host is never held up, the page answers again in
    // time, raises no error and takes the next call.
    void hostileInput()
    {
        QFETCH(Make, make);
        QFETCH(Feed, feeder);
        QFETCH(Input, input);
        QFETCH(int, seconds);
        std::unique_ptr<ChartProbe> watch;
        std::unique_ptr<QWidget> chart(open(make, watch));
        ChartProbe &probe = *watch;
        const int errors = ChartProbe::consoleErrors().size();

        QElapsedTimer clock;
        clock.start();
        feeder(chart.get(), input);
        const qint64 host = clock.elapsed();
        QVERIFY2(host < 3000, qPrintable(QString::number(host)));
        clock.restart();
        QVERIFY(probe.eval(QStringLiteral("1")).isValid());
        qInfo("host %lld ms, page answered after %lld ms", host, clock.elapsed());
        QVERIFY(clock.elapsed() < seconds * 1000);

        // Any error inside ECharts, not only those above, leaves the chart usable.
        probe.eval(QStringLiteral("try { myChart.setOption({series: [{}, {}, {}, {type: 'nosuch'}]}); } catch (e) {}"));
        clock.restart();
        feeder(chart.get(), {QStringLiteral("after"), {QStringLiteral("a")}, {1}});
        QTRY_COMPARE(probe.eval(QStringLiteral("myChart.getModel().getComponent('title').option.text")).toString(),
                     QStringLiteral("after"));
        qInfo("next call drawn after %lld ms", clock.elapsed());
        QVERIFY(clock.elapsed() < seconds * 1000);
        QCOMPARE(ChartProbe::consoleErrors().mid(errors), QStringList());
    }

    void injection_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<Show>("show");
        QTest::addColumn<int>("texts"); // that the tooltip shows

        using Zoom = KzChartLineZoom;
        QTest::newRow("bar") << maker<KzChartBar>() << shower<KzChartBar>([](KzChartBar *chart, const QString &text) {
            chart->setLegends({text});
            chart->setCategories({text});
            chart->setDatas(QList<QList<int>>{{5}});
            return QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [0, 2])");
        }) << 2;
        QTest::newRow("stack") << maker<KzChartStack>() << shower<KzChartStack>([](KzChartStack *chart, const QString &text) {
            chart->setCategories({text});
            chart->setLegends({text}, true);
            chart->setDatas(QList<QList<int>>{{5}});
            return QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [2, 0])");
        }) << 2;
        QTest::newRow("line") << maker<KzChartLine>() << shower<KzChartLine>([](KzChartLine *chart, const QString &text) {
            chart->setLegends({text}, QStringLiteral("bottom"));
            chart->setCategories({text, QStringLiteral("b")}, true, 0);
            chart->setDatas(QList<QList<int>>{{5, 6}});
            return QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [0, 5])");
        }) << 2;
        QTest::newRow("pie") << maker<KzChartPie>() << shower<KzChartPie>([](KzChartPie *chart, const QString &text) {
            chart->setLegends({text});
            chart->setDatasName(text);
            chart->setDatas({5});
            return QString();
        }) << 2;
        QTest::newRow("donut") << maker<KzChartDonut>() << shower<KzChartDonut>([](KzChartDonut *chart, const QString &text) {
            chart->setLegends({text}, true, true);
            chart->setDatas({5});
            return QString();
        }) << 1;
        QTest::newRow("lineZoom dates") << maker<Zoom>() << shower<Zoom>([](Zoom *chart, const QString &text) {
            chart->setOption(1, {text}, "bottom", false, 0, 100, "10%", "10%", "10%", "10%", true, {text, "d1"}, true, 0,
                             0, 10, 5, 1, {{text, {{0, 5}, {1, 6}}}}, {}, text, text);
            chart->setDepthDate({{text, {{text, text}}}});
            return QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [0, 5])");
        }) << 3;
        QTest::newRow("lineZoom depths") << maker<Zoom>() << shower<Zoom>([](Zoom *chart, const QString &text) {
            chart->setOption(2, {text}, "bottom", false, 0, 100, "10%", "10%", "10%", "10%", true, 0, 10, 5, 1, false,
                             false, 0, 10, 5, 1, {{text, {{1, 5}, {2, 6}}}});
            return QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [1, 5])");
        }) << 1;
    }

    // Markup in a text shows as text in the tooltip after a real hover; its
    // script neither runs in the page nor reaches the widget.
    void injection()
    {
        QFETCH(Make, make);
        QFETCH(Show, show);
        QFETCH(int, texts);
        std::unique_ptr<ChartProbe> probe;
        std::unique_ptr<QWidget> chart(open(make, probe));
        const QString markup = QStringLiteral(
                "<img src=x onerror=\"window.kzRan = 1; chartWidget.setWindowTitle('forged')\">");
        const QPoint at = show(chart.get(), probe.get(), markup);

        // Read back as markup: text that shows the tag, not an element.
        const QString escaped = QStringLiteral("&lt;img src=x onerror=\"window.kzRan");
        QString html;
        const auto hover = [&] {
            probe->hover(probe->toView(1, 1));
            probe->hover(at);
            return QTest::qWaitFor([&] { return !(html = probe->tooltipHtml()).isEmpty(); }, 1000);
        };
        QTRY_VERIFY_WITH_TIMEOUT(hover(), 10000);
        QCOMPARE(html.count(escaped), texts);
        QTest::qWait(500); // for an image error that must not come
        QVERIFY(!probe->tooltipHtml().contains(QLatin1String("<img")));
        QCOMPARE(probe->eval(QStringLiteral("String(window.kzRan)")).toString(), QStringLiteral("undefined"));
        QVERIFY(chart->windowTitle() != QLatin1String("forged"));
    }

    void contentSecurity_data()
    {
        QTest::addColumn<Make>("make");
        QTest::newRow("bar") << maker<KzChartBar>();
        QTest::newRow("stack") << maker<KzChartStack>();
        QTest::newRow("line") << maker<KzChartLine>();
        QTest::newRow("pie") << maker<KzChartPie>();
        QTest::newRow("donut") << maker<KzChartDonut>();
        QTest::newRow("lineZoom") << maker<KzChartLineZoom>();
    }

    // Every page runs its own scripts, the channel's and the host's calls, and
    // nothing else: no inline handler, no script added later, from anywhere;
    // each refusal is a page error.
    void contentSecurity()
    {
        QFETCH(Make, make);
        std::unique_ptr<ChartProbe> probe;
        std::unique_ptr<QWidget> chart(open(make, probe)); // the channel is up and host calls run
        const int errors = ChartProbe::consoleErrors().size();
        probe->eval(QStringLiteral(
                "document.body.insertAdjacentHTML('beforeend', '<img src=x onerror=\"window.kzRan = 1\">');"
                "['', 'data:text/javascript,window.kzRan=3', 'https://example.invalid/x.js'].forEach(function (src) {"
                "  var script = document.createElement('script');"
                "  if (src) script.src = src; else script.textContent = 'window.kzRan = 2';"
                "  document.body.appendChild(script);"
                "});"));
        QTRY_COMPARE(ChartProbe::consoleErrors().mid(errors).filter(QStringLiteral("Content Security Policy")).size(), 5);
        QCOMPARE(probe->eval(QStringLiteral("String(window.kzRan)")).toString(), QStringLiteral("undefined"));
        QCOMPARE(probe->eval(QStringLiteral("typeof echarts + typeof QWebChannel")).toString(),
                 QStringLiteral("objectfunction"));
    }
};

KZ_CHART_TEST_MAIN(tst_HostileInput)

#include "tst_hostileinput.moc"
