#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QElapsedTimer>

#include <functional>

namespace {

// What a row gives to every setter of a chart: one text for titles, series
// names, positions and labels, names for categories, slices and dates.
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

// One chart type: how to make and feed it, where to hover the third data item
// (a chart-pixel expression, or empty for a slice) and how many host texts
// its tooltip shows there.
struct Chart
{
    const char *name;
    std::function<QWidget *()> make;
    std::function<void(QWidget *, const Input &)> feed;
    QString hoverAt;
    int tooltipTexts;
};

template <typename Widget>
Chart chart(const char *name, const char *hoverAt, int tooltipTexts, void (*feed)(Widget *, const Input &))
{
    return {name, [] { return new Widget; }, [feed](QWidget *chart, const Input &in) { feed(static_cast<Widget *>(chart), in); },
            QString::fromLatin1(hoverAt), tooltipTexts};
}

const QList<Chart> charts = {
    chart<KzChartBar>("bar", "[2, 2]", 2, [](KzChartBar *chart, const Input &in) {
        chart->setTitle(in.text);
        chart->setLegends({in.text});
        chart->setCategories(in.names);
        chart->setDatas(QList<QList<double>>{in.values});
    }),
    chart<KzChartStack>("stack", "[2, 2]", 2, [](KzChartStack *chart, const Input &in) {
        chart->setTitle(in.text);
        chart->setCategories(in.names);
        chart->setLegends({in.text}, true);
        chart->setDatas(QList<QList<double>>{in.values});
    }),
    chart<KzChartLine>("line", "[2, 5]", 2, [](KzChartLine *chart, const Input &in) {
        chart->setTitle(in.text);
        chart->setLegends({in.text}, in.text);
        chart->setValueRange(in.values.value(0), in.values.value(1), 5, in.values.value(2));
        chart->setCategories(in.names, true, 0);
        chart->setDatas(QList<QList<double>>{in.values});
    }),
    chart<KzChartPie>("pie", "", 2, [](KzChartPie *chart, const Input &in) {
        chart->setTitle(in.text);
        chart->setLegends(in.names);
        chart->setDatasName(in.text);
        chart->setDatas(whole(in.values));
    }),
    chart<KzChartDonut>("donut", "", 1, [](KzChartDonut *chart, const Input &in) {
        chart->setTitle(in.text);
        chart->setLegends(in.names, true, true);
        chart->setDatas(whole(in.values));
        chart->setLabel(in.text, in.text);
    }),
    chart<KzChartLineZoom>("lineZoom", "[2, 5]", 3, [](KzChartLineZoom *chart, const Input &in) {
        QList<QPair<double, double>> points;
        for (int i = 0; i < in.values.size(); ++i)
            points.append({double(i), in.values.at(i)});
        const double y = in.values.value(0);
        chart->setOption(1, {in.text}, in.text, true, 0, 100, in.text, in.text, in.text, in.text, true, in.names, true,
                         0, y, in.values.value(1), 5, in.values.value(2), {{in.text, points}},
                         {{y, {{in.text}, {in.text}}}, {1, {{in.text}, {in.text}}}}, in.text, in.text);
        chart->setDepthDate({{in.text, {{in.names.value(0), in.text}}}});
    }),
};

// Opens a chart and waits for its page; the caller owns both.
QWidget *open(const Chart &type, std::unique_ptr<ChartProbe> &probe)
{
    QWidget *widget = type.make();
    probe.reset(new ChartProbe(widget));
    widget->resize(800, 500);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget) || !probe->attach({}))
        qFatal("The chart page did not come up");
    return widget;
}

} // namespace

Q_DECLARE_METATYPE(Chart)
Q_DECLARE_METATYPE(Input)

class tst_HostileInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostileInput_data()
    {
        QTest::addColumn<Chart>("type");
        QTest::addColumn<Input>("input");
        QTest::addColumn<int>("seconds"); // until the page answers again; half of it in the host

        const QString lone = QString(QChar(0xD800)) + QChar(0xDC00) + QChar(0xDFFF) + 'x' + QChar(0xD83D);
        const QString mebibyte = QString(1 << 20, QLatin1Char('m')) + lone;
        // Non-finite, empty and mismatched arguments are tst_fuzz's.
        for (const Chart &type : charts)
            QTest::addRow("%s huge texts", type.name) << type << Input{mebibyte, {mebibyte, lone}, {1, 2}} << 2;
    }

    // 10^6 values or names: a ctest of its own, labelled slow.
    void hugeInput_data()
    {
        QTest::addColumn<Chart>("type");
        QTest::addColumn<Input>("input");
        QTest::addColumn<int>("seconds");
        Input million{"m", {}, {}};
        for (int i = 0; i < 1000000; ++i) {
            million.names.append(QString::number(i));
            million.values.append(i % 1000);
        }
        // The stacked chart redraws 10^6 categories in about 11 s.
        for (const Chart &type : charts)
            QTest::addRow("%s million", type.name) << type << million << 20;
    }

    void hugeInput() { hostileInput(); }

    // Nothing crashes, the host is never held up, the page answers again in
    // time, raises no error and takes the next call, even after an error
    // inside ECharts.
    void hostileInput()
    {
        QFETCH(Chart, type);
        QFETCH(Input, input);
        QFETCH(int, seconds);
        // Sanitizer builds run the host several times slower.
        seconds *= qMax(1, qEnvironmentVariableIntValue("KZCHART_TEST_TIME_SCALE"));
        std::unique_ptr<ChartProbe> probe;
        std::unique_ptr<QWidget> chart(open(type, probe));
        QElapsedTimer clock;
        clock.start();
        type.feed(chart.get(), input);
        const qint64 host = clock.restart();
        QVERIFY2(host < seconds * 500, qPrintable(QString::number(host)));
        QVERIFY(probe->eval(QStringLiteral("1"), seconds * 1000).isValid());
        QVERIFY(clock.elapsed() < seconds * 1000);

        probe->eval(QStringLiteral("try { myChart.setOption({series: [{}, {}, {}, {type: 'nosuch'}]}); } catch (e) {}"));
        clock.restart();
        type.feed(chart.get(), {QStringLiteral("after"), {QStringLiteral("a")}, {1}});
        QTRY_COMPARE(probe->eval(QStringLiteral("myChart.getModel().getComponent('title').option.text")).toString(),
                     QStringLiteral("after"));
        QVERIFY(clock.elapsed() < seconds * 1000);
    }

    void injection_data()
    {
        QTest::addColumn<Chart>("type");
        for (const Chart &type : charts)
            QTest::newRow(type.name) << type;
    }

    // Markup in every text that reaches a tooltip shows as text after a real
    // hover; its script neither runs in the page nor reaches the widget.
    void injection()
    {
        QFETCH(Chart, type);
        std::unique_ptr<ChartProbe> probe;
        std::unique_ptr<QWidget> chart(open(type, probe));
        const QString markup = QStringLiteral("<img src=x onerror=\"window.kzRan = 1; chartWidget.setWindowTitle('forged')\">");
        type.feed(chart.get(), {markup, {markup, "b", markup}, {1, 9, 5}});
        probe->disableAnimation();
        const QPoint at = type.hoverAt.isEmpty() ? probe->slicePoint(2)
                                                 : probe->viewPoint("myChart.convertToPixel({seriesIndex: 0}, " + type.hoverAt + ")");
        // Moves within one frame reach the page as one, and one that ends
        // where the mouse already was as none: each try ends elsewhere.
        QString html;
        int tries = 0;
        QTRY_VERIFY_WITH_TIMEOUT((probe->hover(probe->toView(1, 1)), probe->hover(at + QPoint(tries++ % 2, 0)),
                                  QTest::qWaitFor([&] { return !(html = probe->tooltipHtml()).isEmpty(); }, 1000)), 10000);
        // Read back as markup: text that shows the tag, not an element.
        QCOMPARE(html.count(QStringLiteral("&lt;img src=x onerror=\"window.kzRan")), type.tooltipTexts);
        // An image of ours that fails after it: had the markup become an
        // image, its error would have come first.
        probe->eval(QStringLiteral("var kzImage = new Image(); kzImage.onerror = function () { window.kzFailed = 1; };"
                                   " kzImage.src = 'data:,x'"));
        QTRY_VERIFY(probe->eval(QStringLiteral("!!window.kzFailed")).toBool());
        QCOMPARE(probe->eval(QStringLiteral("String(window.kzRan)")).toString(), QStringLiteral("undefined"));
    }

    // The pages run their own scripts, the channel's and the host's calls
    // (open() needs all three), and nothing else: no inline handler, no
    // script added later, from anywhere; each refusal is a page error.
    void contentSecurity()
    {
        std::unique_ptr<ChartProbe> probe;
        std::unique_ptr<QWidget> chart(open(charts.first(), probe));
        const int errors = ChartProbe::consoleErrors().size();
        for (const char *refusal : {"inline event handler", "image", "inline script", "script 'data:", "script 'https:"})
            ChartProbe::expectPageError(QString::fromLatin1(refusal));
        probe->eval(QStringLiteral(
                "document.body.insertAdjacentHTML('beforeend', '<img src=x onerror=\"window.kzRan = 1\">');"
                "['', 'data:text/javascript,window.kzRan=3', 'https://example.invalid/x.js'].forEach(function (src) {"
                "  var script = document.createElement('script');"
                "  if (src) script.src = src; else script.textContent = 'window.kzRan = 2';"
                "  document.body.appendChild(script);"
                "});"));
        // The image and its handler, the three scripts.
        QTRY_COMPARE(ChartProbe::consoleErrors().mid(errors).filter(QStringLiteral("Content Security Policy")).size(), 5);
        QCOMPARE(probe->eval(QStringLiteral("String(window.kzRan)")).toString(), QStringLiteral("undefined"));
    }
};

KZ_CHART_TEST_MAIN(tst_HostileInput)

#include "tst_hostileinput.moc"
