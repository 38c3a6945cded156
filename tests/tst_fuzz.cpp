#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <climits>
#include <csignal>
#include <functional>
#include <memory>
#include <tuple>

// Seeded random setter calls on every chart, with empty, mismatched, hostile,
// huge and non-finite arguments, between resizes, hiding, mouse moves and
// renderer kills. After each, the page must answer within 2 s (up to 10 s
// under the sanitizers) with no page error and no crash; a failing seed
// prints the fewest of its calls that still fail.

namespace {

using Point = QPair<double, double>;
using Zoom = KzChartLineZoom;
// An argument as C++ and as value. In the C++, names(n, "p") stands for
// "p0", "p1"... ("p" for one name), repeat(n, {a, b}) for n items a, b, a...,
// and lines(names, points) for a map of every name to the points.
template <typename T> struct Arg { QString code; T value; };

// The last text is long: names count up from the others only, so that the
// host's own work stays in proportion to its arguments.
const QList<Arg<QString>> texts{{R"("")", ""}, {R"("A")", "A"}, {R"("bottom")", "bottom"}, {R"("50%")", "50%"},
    {R"("-2147483648%")", "-2147483648%"}, {R"("{b}{c}{d}{a|x}")", "{b}{c}{d}{a|x}"}, {R"("%1 %2")", "%1 %2"},
    {R"("<img src=x onerror=\"kzRan = 1\">")", "<img src=x onerror=\"kzRan = 1\">"}, {R"("a\n\"b")", "a\n\"b"},
    {"QString(QChar(0xD800))", QString(QChar(0xD800))}, {"QString(5000, 'x')", QString(5000, 'x')}};

QString spell(double v) { return qIsNaN(v) ? "qQNaN()" : qIsInf(v) ? (v > 0 ? "qInf()" : "-qInf()") : QString::number(v, 'g', QLocale::FloatingPointShortest); }

class Gen
{
public:
    explicit Gen(quint32 seed) : m_random(seed) {}
    int below(int n) { return int(m_random.bounded(n)); }
    template <typename T> T pick(std::initializer_list<T> items) { return items.begin()[below(int(items.size()))]; }
    template <typename T> Arg<T> number(std::initializer_list<T> extremes) { const T v = below(2) ? T(below(21) / 2.0 - 3) : pick(extremes); return {spell(v), v}; }
    Arg<bool> flag() { return pick<Arg<bool>>({{"false", false}, {"true", true}}); }
    Arg<int> integer() { return number<int>({100, 5000, 1000000, INT_MAX, INT_MIN}); }
    Arg<double> real() { return number<double>({qQNaN(), qInf(), -qInf(), 1e308, -1e308, 5e-324, 1e-300, INT_MAX, INT_MIN, 1e8, 1e15}); }
    Arg<Point> point() { const auto x = real(), y = real(); return {"{" + x.code + ", " + y.code + "}", {x.value, y.value}}; }
    Arg<QString> text() { return texts.at(below(texts.size())); }
    Arg<QStringList> names()
    {
        const int count = below(4) ? below(6) : pick({1001, 1523});
        const Arg<QString> prefix = texts.at(below(texts.size() - 1));
        Arg<QStringList> names{QString("names(%1, %2)").arg(count).arg(prefix.code), {}};
        for (int i = 0; i < count; ++i)
            names.value.append(count == 1 ? prefix.value : prefix.value + QString::number(i));
        return names;
    }
    // The names that data rows (pie and donut: values) mostly match in number.
    Arg<QStringList> legends() { return m_legends = names(); }
    int rowCount() { return below(5) ? m_legends.value.size() : pick({0, 3, 1523}); }
    int itemCount(int rows = 1) { return rows > 8 ? below(3) : below(4) ? below(6) : pick({1001, 6000}); }
    // count items repeating a pattern of one to three.
    template <typename F> auto repeat(int count, F item)
    {
        QList<decltype(item())> pattern{item()};
        for (int i = below(3); i > 0; --i)
            pattern.append(item());
        Arg<QList<decltype(item().value)>> list{QString("repeat(%1, {").arg(count), {}};
        for (int i = 0; i < pattern.size(); ++i)
            list.code += pattern.at(i).code + (i + 1 < pattern.size() ? ", " : "})");
        for (int i = 0; i < count; ++i)
            list.value.append(pattern.at(i % pattern.size()).value);
        return list;
    }
    Arg<QList<int>> row() { return repeat(rowCount(), [this] { return integer(); }); }
    template <typename T> auto rows(Arg<T> (Gen::*item)())
    {
        const int count = rowCount();
        return repeat(count, [&] { return repeat(itemCount(count), [&] { return (this->*item)(); }); });
    }
    Arg<Zoom::SeriesMap> lines()
    {
        const auto names = below(5) ? m_legends : this->names();
        const auto points = repeat(itemCount(names.value.size()), [this] { return point(); });
        Arg<Zoom::SeriesMap> lines{"lines(" + names.code + ", " + points.code + ")", {}};
        for (const QString &name : names.value)
            lines.value.insert(name, points.value);
        return lines;
    }
    Arg<Zoom::AlarmMap> alarms()
    {
        const Arg<double> value = real();
        const Arg<QStringList> labels = names();
        return {"{{" + value.code + ", {" + labels.code + ", " + m_legends.code + "}}}", {{value.value, {labels.value, m_legends.value}}}};
    }
    Arg<Zoom::DepthMap> depths()
    {
        const Arg<QString> point = text(), date = text(), depth = text();
        return {"{{" + point.code + ", {{" + date.code + ", " + depth.code + "}}}}", {{point.value, {{date.value, depth.value}}}}};
    }

private:
    QRandomGenerator m_random;
    Arg<QStringList> m_legends{"names(0, \"\")", {}};
};

// A step of a run: as C++, and what it does to the chart; a renderer kill,
// which waits for the page to load again, is not timed.
struct Step { QString code; std::function<void(QWidget *)> run; bool timed = true; };

template <typename W, typename F, typename... T> Step call(const char *name, F setter, const Arg<T> &...args)
{
    return {QString("chart.%1(%2);").arg(name, QStringList{args.code...}.join(", ")),
            [setter, values = std::make_tuple(args.value...)](QWidget *chart) {
                std::apply([&](const auto &...value) { setter(static_cast<W *>(chart), value...); }, values);
            }};
}
// A setter of W, called with the arguments that a Gen g makes from left to right.
#define SETTER(W, name, ...) [](Gen &g) { return std::apply([](const auto &...args) { \
    return call<W>(#name, [](W *chart, const auto &...value) { chart->name(value...); }, args...); }, std::tuple{__VA_ARGS__}); }

using Setters = QList<Step (*)(Gen &)>;
using Bar = KzChartBar;
using Stack = KzChartStack;
using Pie = KzChartPie;
using Donut = KzChartDonut;
using Line = KzChartLine;
template <typename W> Setters titled() { return {SETTER(W, setTitle, g.text()), SETTER(W, setSubTitle, g.text()), SETTER(W, setColors, g.names())}; }
template <typename W> Setters backed() { return titled<W>() << SETTER(W, setToolBackVisible, g.flag()); }

const Setters bar = backed<Bar>() << SETTER(Bar, setCategories, g.names()) << SETTER(Bar, setLegends, g.legends())
    << SETTER(Bar, setLegends, g.legends(), g.text(), g.text(), g.text()) << SETTER(Bar, setDatas, g.rows(&Gen::integer))
    << SETTER(Bar, setDatas, g.rows(&Gen::real)) << SETTER(Bar, setGrid, g.integer(), g.integer(), g.integer(), g.integer())
    << [](Gen &) { return call<Bar>("clearChart", [](Bar *chart) { chart->clearChart(); }); };
const Setters stack = backed<Stack>() << SETTER(Stack, setCategories, g.names()) << SETTER(Stack, setHorizontal, g.flag())
    << SETTER(Stack, setLegends, g.legends(), g.flag()) << SETTER(Stack, setDatas, g.rows(&Gen::integer))
    << SETTER(Stack, setDatas, g.rows(&Gen::real));
const Setters pie = backed<Pie>() << SETTER(Pie, setLegends, g.legends()) << SETTER(Pie, setLegends, g.legends(), g.flag(), g.flag())
    << SETTER(Pie, setDatas, g.row()) << SETTER(Pie, setDatasName, g.text()) << SETTER(Pie, setSilent, g.flag());
const Setters donut = backed<Donut>() << SETTER(Donut, setLegends, g.legends(), g.flag(), g.flag()) << SETTER(Donut, setDatas, g.row())
    << SETTER(Donut, setDatasName, g.text()) << SETTER(Donut, setTooltip, g.flag()) << SETTER(Donut, setLabel, g.text(), g.text());
const Setters line = titled<Line>() << SETTER(Line, setCategories, g.names(), g.flag(), g.integer())
    << SETTER(Line, setCategories, g.integer(), g.integer(), g.integer(), g.real()) << SETTER(Line, setDatas, g.rows(&Gen::integer))
    << SETTER(Line, setDatas, g.rows(&Gen::real)) << SETTER(Line, setDatas, g.rows(&Gen::point))
    << SETTER(Line, setLegends, g.legends(), g.text()) << SETTER(Line, setGrid, g.text(), g.flag()) << SETTER(Line, setToolTip, g.integer())
    << SETTER(Line, setDataZoom, g.flag()) << SETTER(Line, setValues, g.flag(), g.flag())
    << SETTER(Line, setValueRange, g.real(), g.real(), g.integer(), g.real());
const Setters lineZoom = Setters()
    << SETTER(Zoom, setOption, g.integer(), g.legends(), g.text(), g.flag(), g.integer(), g.integer(), g.text(), g.text(), g.text(), g.text(),
              g.flag(), g.names(), g.flag(), g.integer(), g.real(), g.real(), g.integer(), g.real(), g.lines(), g.alarms(), g.text(), g.text())
    << SETTER(Zoom, setOption, g.integer(), g.legends(), g.text(), g.flag(), g.integer(), g.integer(), g.text(), g.text(), g.text(), g.text(),
              g.flag(), g.integer(), g.integer(), g.integer(), g.real(), g.flag(), g.flag(), g.real(), g.real(), g.integer(), g.real(), g.lines())
    << SETTER(Zoom, setColors, g.names()) << SETTER(Zoom, setDatas, g.rows(&Gen::integer)) << SETTER(Zoom, setDatas, g.rows(&Gen::real))
    << SETTER(Zoom, setLegendClicked, g.names()) << SETTER(Zoom, getPixelByLogic, g.real()) << SETTER(Zoom, setDepthDate, g.depths());

QWebEngineView *viewOf(QWidget *chart) { return chart->findChild<QWebEngineView *>(); }
bool killRenderer(QWidget *chart)
{
    const qint64 pid = viewOf(chart)->page()->renderProcessPid();
    return pid > 0 && ::kill(pid_t(pid), SIGKILL) == 0;
}

Step environment(Gen &g)
{
    const int x = g.below(3) ? g.below(1600) : g.below(2), y = g.below(3) ? g.below(1000) : g.below(2);
    return g.pick<Step>({{QString("chart.resize(%1, %2);").arg(x).arg(y), [=](QWidget *chart) { chart->resize(x, y); }},
                         {"chart.hide();", [](QWidget *chart) { chart->hide(); }}, {"chart.show();", [](QWidget *chart) { chart->show(); }},
                         {QString("QTest::mouseMove(view, {%1, %2});").arg(x).arg(y), [=](QWidget *chart) {
                              QTest::mouseMove(viewOf(chart)->focusProxy() ? viewOf(chart)->focusProxy() : viewOf(chart), {x, y}); }},
                         {"kill(renderer); // and wait for the page to load again", [](QWidget *chart) {
                              QSignalSpy loaded(viewOf(chart), &QWebEngineView::loadFinished);
                              if (killRenderer(chart))
                                  loaded.wait(60000);
                          }, false}});
}

struct ChartType { const char *name; QWidget *(*make)(); const Setters &setters; };
template <typename W> QWidget *make() { return new W; }
const ChartType types[] = {{"KzChartBar", make<KzChartBar>, bar}, {"KzChartStack", make<KzChartStack>, stack},
                           {"KzChartPie", make<KzChartPie>, pie}, {"KzChartDonut", make<KzChartDonut>, donut},
                           {"KzChartLine", make<KzChartLine>, line}, {"KzChartLineZoom", make<KzChartLineZoom>, lineZoom}};

// Page errors, kept from QtTest: a failing run reports them with its calls.
QStringList pageErrors;
QtMessageHandler passOn = nullptr;
void keepPageErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && qstrcmp(context.category, "kzchart.page") == 0)
        pageErrors.append(message);
    else
        passOn(type, context, message);
}

int answerLimit() { return qMin(2000 * qMax(1, qEnvironmentVariableIntValue("KZCHART_TEST_TIME_SCALE")), 10000); }

// Whether the page answers in time, with every call of the host run (none
// waiting for its attachments).
bool answers(QWebEnginePage *page)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < answerLimit()) {
        auto answer = std::make_shared<QVariant>();
        page->runJavaScript("waitingCalls ? 0 : 1 + 1", [answer](const QVariant &value) { *answer = value; });
        if (QTest::qWaitFor([&] { return answer->isValid(); }, answerLimit() - int(clock.elapsed())) && answer->toInt() == 2)
            return true;
    }
    return false;
}

// What went wrong after which step of a run; slow: only the time.
struct Failure { QString what; int step = -1; bool slow = false; };

// Runs steps on a new chart: the first failure, or none (an empty what).
Failure run(const ChartType &type, const QList<Step> &steps)
{
    std::unique_ptr<QWidget> chart(type.make());
    chart->resize(800, 500);
    chart->show();
    ChartProbe probe(chart.get());
    passOn = passOn ? passOn : qInstallMessageHandler(keepPageErrors);
    if (!QTest::qWaitForWindowExposed(chart.get()) || !probe.attach({}))
        return {"the page did not load"};
    bool crashed = false;
    QObject::connect(probe.view()->page(), &QWebEnginePage::renderProcessTerminated, [&](QWebEnginePage::RenderProcessTerminationStatus status) {
        crashed = crashed || status == QWebEnginePage::CrashedTerminationStatus || status == QWebEnginePage::AbnormalTerminationStatus;
    });
    const int errors = pageErrors.size();
    for (int i = 0; i < steps.size(); ++i) {
        QElapsedTimer clock;
        clock.start();
        steps.at(i).run(chart.get());
        const qint64 took = clock.elapsed();
        Failure failure{QString(), i, true};
        if (steps.at(i).timed && took > answerLimit())
            failure.what = QString("the call took %1 ms").arg(took);
        else if (!answers(probe.view()->page()))
            failure.what = QString("the page did not answer within %1 ms").arg(answerLimit());
        else if (crashed || pageErrors.size() > errors)
            failure = {crashed ? "the renderer crashed" : "page error: " + pageErrors.last(), i};
        if (!failure.what.isEmpty()) {
            killRenderer(chart.get());
            return failure;
        }
    }
    return {};
}

// The failing steps without those that the failure does not need.
QList<Step> reduce(const ChartType &type, QList<Step> steps)
{
    if (steps.size() > 1 && !run(type, {steps.last()}).what.isEmpty())
        return {steps.last()};
    for (int i = steps.size() - 2, replays = 30; i >= 0 && replays > 0; --i, --replays) {
        const QList<Step> fewer = steps.mid(0, i) + steps.mid(i + 1);
        const Failure failure = run(type, fewer);
        if (!failure.what.isEmpty())
            steps = fewer.mid(0, failure.step + 1);
    }
    return steps;
}

} // namespace

class tst_Fuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Seeds: KZCHART_FUZZ_SEEDS="3,17" or the fixed list, whose calls cover
    // every chart type and, among others, points far past the labels (130,
    // 172), thousands of slices (8, 15) and series (25, 54), 5000 ticks and
    // 6000 points out of x order (11, 35). A seed's chart is the seed modulo 6.
    void fuzz_data()
    {
        QTest::addColumn<uint>("seed");
        const QString seeds = qEnvironmentVariable("KZCHART_FUZZ_SEEDS", "8,15,11,25,54,130,172,35");
        for (const QString &seed : seeds.split(','))
            QTest::addRow("seed %u %s", seed.toUInt(), types[seed.toUInt() % 6].name) << seed.toUInt();
    }

    void fuzz()
    {
        QFETCH(uint, seed);
        const ChartType &type = types[seed % 6];
        Gen g(seed);
        QList<Step> steps;
        for (int i = 0; i < 25; ++i)
            steps.append(g.below(8) ? type.setters.at(g.below(type.setters.size()))(g) : environment(g));
        const Failure failure = run(type, steps);
        if (failure.what.isEmpty())
            return;
        const QList<Step> failing = steps.mid(0, failure.step + 1);
        // Slowness that a fresh chart does not repeat is the machine's load.
        if (failure.slow && run(type, failing).what.isEmpty()) {
            qWarning("Seed %u: %s after step %d, but not again on a fresh chart", seed, qPrintable(failure.what), failure.step + 1);
            return;
        }
        QString calls = QString("%1 chart;").arg(type.name);
        for (const Step &step : reduce(type, failing))
            calls += "\n    " + step.code;
        QFAIL(qPrintable(QString("%1 after step %2 of seed %3; the calls that fail:\n    %4").arg(failure.what).arg(failure.step + 1).arg(seed).arg(calls)));
    }
};

KZ_CHART_TEST_MAIN(tst_Fuzz)
#include "tst_fuzz.moc"
