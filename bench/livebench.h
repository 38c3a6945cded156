// The live section's parts: the stream of samples, and the contenders that
// draw it. A contender is a small adapter around one chart: it fills the
// chart with the retained samples, hands it each tick's new samples, and
// says when it has drawn them.
#ifndef LIVEBENCH_H
#define LIVEBENCH_H

#include "benchsupport.h"

#include <functional>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

// A stream of lines series of samples at x = 0, 1, 2..., of which the
// newest retention are kept; every sample is worked out beforehand, so that
// the contenders pay only for passing samples on.
class LiveFeed
{
public:
    LiveFeed(int lines, int retention, int samplesAhead);
    int lines() const { return int(m_ys.size()); }
    int retention() const { return m_retention; }
    // The newest sample's x, and the oldest retained one's.
    int newest() const { return m_newest; }
    int oldest() const { return std::max(0, m_newest - m_retention + 1); }
    double y(int line, int x) const { return m_ys[size_t(line)][size_t(x)]; }
    // The retained samples of line, or its newest count, as (x, y).
    Points window(int line) const { return latest(line, m_newest - oldest() + 1); }
    Points latest(int line, int count) const;
    // Adds count samples to every line.
    void advance(int count) { m_newest += count; }

private:
    std::vector<std::vector<double>> m_ys;
    int m_retention;
    int m_newest;
};

// When a contender drew an update: the newest sample's x that it showed,
// and when it had drawn it (wallMs()).
struct Drawn
{
    int newest;
    double at;
};

// The contenders are in livecontenders.cpp, each a few lines: a live API's
// adapter sends the whole window in prefill() and feed.latest(line, added)
// in tick().
class LiveContender
{
public:
    virtual ~LiveContender() = default;
    // The chart, to be put into a window.
    virtual QWidget *widget() = 0;
    // The widget whose repaints show the chart's frames.
    virtual QWidget *surface() { return widget(); }
    // Fills the chart with the retained samples.
    virtual void prefill(const LiveFeed &feed) = 0;
    // Passes on the samples up to feed.newest() that the chart has not had.
    virtual void tick(const LiveFeed &feed, int added) = 0;
    // A contender that draws later than tick() returns reports what it drew
    // here, in order, to done: at once or later, without waiting. Others
    // have drawn each tick by the window's next frame.
    virtual bool drawsLater() const { return false; }
    virtual void collectDrawn(const std::function<void(const std::vector<Drawn> &)> &done) { done({}); }
};

// A chart widget of this library. Its page notes, for the first frame that
// ECharts rendered with new data, the newest x that the chart's series
// reach: every option and appended data that reach ECharts pass the probe,
// and a long series keeps its last point however it is reduced. (A series short
// enough to be animated is then still moving towards the new data; at 100k
// points nothing is animated.)
class WebContender : public LiveContender
{
public:
    explicit WebContender(std::unique_ptr<QWidget> chart);
    QWidget *widget() override { return m_chart.get(); }
    QWidget *surface() override;
    bool drawsLater() const override { return true; }
    void collectDrawn(const std::function<void(const std::vector<Drawn> &)> &done) override;

protected:
    std::unique_ptr<QWidget> m_chart;
};

struct LiveContenderKind
{
    QString label;
    // Web charts (the only ones whose process model matters).
    bool web;
    // A contender for charts of that many lines.
    std::function<std::unique_ptr<LiveContender>(int lines)> make;
};

// Every contender built into the benchmark, in the order they run.
std::vector<LiveContenderKind> liveContenders();

#endif // LIVEBENCH_H
