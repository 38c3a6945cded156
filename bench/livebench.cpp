// The live section: charts fed a stream of samples for half a minute, side
// by side with the native peers on the same data.
//   W1: one chart, 4 lines of 100k retained samples, 10 new samples per line
//       every 100 ms.
//   W2: six such charts in one window (3 x 2, 1000 x 600), fed alike; run
//       again in process-per-site mode, where only the web charts run.
// Per contender: the host's CPU and the WebEngine processes' CPU (% of one
// core), updates drawn per second, the delay from the call until the window
// showed the update (median and 95th percentile over the ticks of the first
// and of the last 5 s), and memory a third into the run and at its end.
#include "livebench.h"
#include "sections.h"

#include <QGridLayout>
#include <QRegularExpression>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cmath>
#include <cstdio>

LiveFeed::LiveFeed(int lines, int retention, int samplesAhead)
    : m_ys(size_t(lines)), m_retention(retention), m_newest(-1)
{
    for (int s = 0; s < lines; ++s) {
        m_ys[size_t(s)].reserve(size_t(samplesAhead));
        for (int x = 0; x < samplesAhead; ++x)
            m_ys[size_t(s)].push_back(sample(x, retention, s));
    }
}

Points LiveFeed::latest(int line, int count) const
{
    Points points;
    points.reserve(count);
    for (int x = m_newest - count + 1; x <= m_newest; ++x)
        points.append({double(x), y(line, x)});
    return points;
}

WebContender::WebContender(std::unique_ptr<QWidget> chart) : m_chart(std::move(chart))
{
    chartView(m_chart.get())->page()->runJavaScript(QStringLiteral(R"((function () {
        var live = window.kzLive = {newest: -1, shown: -1, drawn: []};
        function note(series) {
            var data = series && series.data;
            var last = Array.isArray(data) && data.length ? data[data.length - 1] : null;
            var x = Array.isArray(last) ? last[0] : last === null ? -1 : data.length - 1;
            live.newest = Math.max(live.newest, x);
        }
        var draw = myChart.setOption, append = myChart.appendData;
        myChart.setOption = function (option) {
            [].concat(option && option.series || []).forEach(note);
            return draw.apply(this, arguments);
        };
        myChart.appendData = function (params) {
            note(params);
            return append.apply(this, arguments);
        };
        myChart.on('rendered', function () {
            var newest = live.newest;
            requestAnimationFrame(function () {
                if (newest <= live.shown)
                    return;
                live.shown = newest;
                live.drawn.push(newest, performance.timeOrigin + performance.now());
            });
        });
    })();)"));
}

QWidget *WebContender::surface()
{
    return webSurface(chartView(m_chart.get()));
}

void WebContender::collectDrawn(const std::function<void(const std::vector<Drawn> &)> &done)
{
    chartView(m_chart.get())->page()->runJavaScript(QStringLiteral("kzLive.drawn.splice(0)"), [done](const QVariant &value) {
        const QVariantList list = value.toList();
        std::vector<Drawn> drawn;
        for (int i = 0; i + 1 < list.size(); i += 2)
            drawn.push_back({list[i].toInt(), list[i + 1].toDouble()});
        done(drawn);
    });
}

namespace {

const int liveLines = 4;
const int liveTickMs = 100;
const int liveSamplesPerTick = 10;

// What one chart of a run was given and what it showed.
struct ChartLog
{
    QWidget *surface = nullptr;
    // (newest x, call) per tick, and what the chart reported drawn.
    std::vector<std::pair<int, double>> ticks;
    std::shared_ptr<std::vector<Drawn>> drawn = std::make_shared<std::vector<Drawn>>();
    int shownNewest = -1;
};

struct LiveResult
{
    double hostPercent = 0;
    double rendererPercent = 0;
    double updatesPerSecond = 0;
    std::vector<double> firstDelays, lastDelays;
    int undrawn = 0;
    double memoryEarly = 0, memoryEnd = 0;
};

class LiveRun
{
public:
    LiveRun(const Settings &settings, const LiveContenderKind &kind, int charts)
        : m_feed(liveLines, settings.liveRetention,
                 settings.liveRetention + (settings.liveSeconds * 1000 / liveTickMs + 10) * liveSamplesPerTick),
          m_durationMs(settings.liveSeconds * 1000.0),
          m_catchUpMs(settings.liveCatchUpMs)
    {
        auto *grid = new QGridLayout(&m_window);
        for (int i = 0; i < charts; ++i) {
            m_contenders.push_back(kind.make(liveLines));
            grid->addWidget(m_contenders.back()->widget(), i / 3, i % 3);
        }
        m_window.resize(chartSize);
        m_window.show();
        settle(300);
        for (const auto &contender : m_contenders) {
            ShownFrames::instance().watch(contender->surface());
            m_logs.emplace_back();
            m_logs.back().surface = contender->surface();
        }
    }

    ~LiveRun()
    {
        // The charts go first, while the window they are in still exists.
        m_contenders.clear();
    }

    LiveResult measure()
    {
        m_feed.advance(m_feed.retention());
        const double prefillAt = wallMs();
        for (const auto &contender : m_contenders)
            contender->prefill(m_feed);
        for (size_t i = 0; i < m_logs.size(); ++i)
            m_logs[i].ticks.push_back({m_feed.newest(), prefillAt});
        waitAllShown(12 * m_catchUpMs);
        settle(m_catchUpMs / 5);
        for (ChartLog &log : m_logs) {
            log.ticks.clear();
            log.drawn->clear();
        }

        LiveResult result;
        const double host = hostCpuMs(), renderers = rendererCpuMs();
        m_start = wallMs();
        int ticks = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        // Samples that came while the host was busy go in the next call.
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const int due = int((wallMs() - m_start) / liveTickMs);
            if (due <= ticks)
                return;
            const int added = (due - ticks) * liveSamplesPerTick;
            ticks = due;
            m_feed.advance(added);
            for (size_t i = 0; i < m_contenders.size(); ++i) {
                m_logs[i].ticks.push_back({m_feed.newest(), wallMs()});
                m_contenders[i]->tick(m_feed, added);
            }
            if (result.memoryEarly == 0 && wallMs() - m_start >= m_durationMs / 3)
                result.memoryEarly = treePssMb();
        });
        QTimer collector;
        QObject::connect(&collector, &QTimer::timeout, [&] { collect(); });
        ticker.start(liveTickMs);
        collector.start(1000);
        settle(int(m_durationMs));
        ticker.stop();
        collector.stop();
        m_end = wallMs();
        const double seconds = (m_end - m_start) / 1000;
        result.hostPercent = (hostCpuMs() - host) / seconds / 10;
        result.rendererPercent = (rendererCpuMs() - renderers) / seconds / 10;
        result.memoryEnd = treePssMb();
        const double drained = waitAllShown(m_catchUpMs);
        evaluate(result, drained);
        return result;
    }

    QWidget *window() { return &m_window; }

private:
    void collect()
    {
        for (size_t i = 0; i < m_contenders.size(); ++i) {
            if (!m_contenders[i]->drawsLater())
                continue;
            const auto sink = m_logs[i].drawn;
            m_contenders[i]->collectDrawn(
                    [sink](const std::vector<Drawn> &drawn) { sink->insert(sink->end(), drawn.begin(), drawn.end()); });
        }
    }

    // The frame that showed each update drawn (0 where none has yet), in order.
    std::vector<std::pair<int, double>> shown(const ChartLog &log, bool drawsLater) const
    {
        std::vector<std::pair<int, double>> result;
        const ShownFrames &frames = ShownFrames::instance();
        if (drawsLater) {
            for (const Drawn &drawn : *log.drawn)
                result.push_back({drawn.newest, frames.firstAfter(log.surface, drawn.at)});
        } else {
            for (const auto &tick : log.ticks)
                result.push_back({tick.first, frames.firstAfter(log.surface, tick.second)});
        }
        return result;
    }

    bool allShown()
    {
        for (size_t i = 0; i < m_logs.size(); ++i) {
            const auto frames = shown(m_logs[i], m_contenders[i]->drawsLater());
            if (frames.empty() || frames.back().first < m_feed.newest() || frames.back().second == 0)
                return false;
        }
        return true;
    }

    // Waits until every chart has shown the newest samples, or timeoutMs;
    // returns when the wait ended.
    double waitAllShown(int timeoutMs)
    {
        const double until = wallMs() + timeoutMs;
        while (!allShown() && wallMs() < until) {
            collect();
            settle(100);
        }
        collect();
        settle(100);
        return wallMs();
    }

    void evaluate(LiveResult &result, double drained) const
    {
        const double windowMs = std::min(5000.0, m_durationMs / 3);
        result.updatesPerSecond = 1e9;
        for (size_t i = 0; i < m_logs.size(); ++i) {
            const auto frames = shown(m_logs[i], m_contenders[i]->drawsLater());
            // Updates drawn: frames that showed newer samples within the run.
            int updates = 0;
            double last = 0;
            for (const auto &frame : frames) {
                if (frame.second >= m_start && frame.second <= m_end && frame.second != last) {
                    ++updates;
                    last = frame.second;
                }
            }
            result.updatesPerSecond = std::min(result.updatesPerSecond, updates / ((m_end - m_start) / 1000));
            // A tick is shown by the first frame that showed its newest sample
            // or newer ones.
            size_t next = 0;
            for (const auto &tick : m_logs[i].ticks) {
                while (next < frames.size() && (frames[next].first < tick.first || frames[next].second == 0))
                    ++next;
                double delay = drained - tick.second;
                if (next < frames.size())
                    delay = frames[next].second - tick.second;
                else
                    ++result.undrawn;
                if (tick.second < m_start + windowMs)
                    result.firstDelays.push_back(delay);
                else if (tick.second >= m_end - windowMs)
                    result.lastDelays.push_back(delay);
            }
        }
    }

    LiveFeed m_feed;
    double m_durationMs;
    int m_catchUpMs;
    QWidget m_window;
    std::vector<std::unique_ptr<LiveContender>> m_contenders;
    std::vector<ChartLog> m_logs;
    double m_start = 0, m_end = 0;
};

QString pictureName(const QString &workload, const QString &label)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]+"));
    return QStringLiteral("live-%1-%2").arg(workload, QString(label).replace(unsafe, QStringLiteral("-")));
}

void runWorkload(const Settings &settings, const QString &workload, int charts, bool webOnly)
{
    const double windowS = std::min(5.0, settings.liveSeconds / 3.0);
    std::printf("\nLive %s: %d chart%s in one %dx%d window, %d lines x %d samples retained, %d new samples per line"
                " every %d ms, %d s; one run per contender%s\n"
                "%-42s %6s %6s %7s | %-19s | %-19s | %-14s\n%-42s %6s %6s %7s | %9s %9s | %9s %9s | %6s %7s\n",
                qPrintable(workload), charts, charts > 1 ? "s" : "", chartSize.width(), chartSize.height(), liveLines,
                settings.liveRetention, liveSamplesPerTick, liveTickMs, settings.liveSeconds,
                settings.processPerSite ? ", process per site" : "", "", "CPU %", "", "updates",
                qPrintable(QStringLiteral("delay first %1 s").arg(windowS, 0, 'g', 2)),
                qPrintable(QStringLiteral("delay last %1 s").arg(windowS, 0, 'g', 2)), "memory MB", "contender", "host",
                "render", "drawn/s", "median", "p95", "median", "p95",
                qPrintable(QStringLiteral("%1 s").arg(settings.liveSeconds / 3.0, 0, 'g', 2)),
                qPrintable(QStringLiteral("%1 s").arg(settings.liveSeconds)));
    std::fflush(stdout);
    for (const LiveContenderKind &kind : liveContenders()) {
        if (webOnly && !kind.web)
            continue;
        settle(settings.liveCatchUpMs / 2);
        LiveResult result;
        {
            LiveRun run(settings, kind, charts);
            result = run.measure();
            savePicture(settings, run.window(),
                        pictureName(workload + (settings.processPerSite ? QStringLiteral("-per-site") : QString()),
                                    kind.label));
        }
        std::printf("%-42s %6.1f %6.1f %7.1f | %9.0f %9.0f | %9.0f %9.0f | %6.0f %7.0f   (%zu / %zu ticks%s)\n",
                    qPrintable(kind.label), result.hostPercent, result.rendererPercent, result.updatesPerSecond,
                    median(result.firstDelays), quantile(result.firstDelays, 0.95), median(result.lastDelays),
                    quantile(result.lastDelays, 0.95), result.memoryEarly, result.memoryEnd,
                    result.firstDelays.size(), result.lastDelays.size(),
                    result.undrawn ? qPrintable(QStringLiteral(", %1 never shown, counted until the end").arg(result.undrawn))
                                   : "");
        std::fflush(stdout);
    }
}

} // namespace

void benchLive(const Settings &settings)
{
    // One chart gains nothing from a shared renderer: in that mode only the
    // dashboard runs, and only its web charts.
    if (!settings.processPerSite)
        runWorkload(settings, QStringLiteral("W1"), 1, false);
    if (settings.liveDashboard)
        runWorkload(settings, QStringLiteral("W2"), 6, settings.processPerSite);
}
