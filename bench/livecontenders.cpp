// The live section's contenders, each as a new user would write it with the
// chart's documented API.
#include "livebench.h"
#include "peers.h"

#include <kzchartline.h>
#include <kzchartlinezoom.h>

#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#ifdef KZ_BENCH_QCUSTOMPLOT
#include <qcustomplot.h>
#endif
#ifdef KZ_BENCH_QWT
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#endif

namespace {

// Both axes are fixed: y holds every line (see sample()), x is moved to the
// retained samples on every tick.
const double yMin = -10;
const double yMax = 70;

QStringList lineNames(int lines)
{
    QStringList names;
    for (int s = 0; s < lines; ++s)
        names.append(QStringLiteral("S%1").arg(s));
    return names;
}

// ---- This library -------------------------------------------------------------

// Every tick sends the whole retained window again, as the setters are all
// a chart has without the live API.
class LineZoomWindow : public WebContender
{
public:
    LineZoomWindow() : WebContender(std::make_unique<KzChartLineZoom>()) {}
    void prefill(const LiveFeed &feed) override { sendWindow(feed); }
    void tick(const LiveFeed &feed, int) override { sendWindow(feed); }

protected:
    KzChartLineZoom *chart() { return static_cast<KzChartLineZoom *>(m_chart.get()); }
    void sendWindow(const LiveFeed &feed)
    {
        KzChartLineZoom::SeriesMap series;
        const QStringList names = lineNames(feed.lines());
        for (int s = 0; s < feed.lines(); ++s)
            series.insert(names[s], feed.window(s));
        chart()->setOption(1, names, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, feed.oldest(),
                           feed.newest(), 5, 1, false, false, yMin, yMax, 5, 1, series);
    }
};

class LineWindow : public WebContender
{
public:
    LineWindow() : WebContender(std::make_unique<KzChartLine>()) {}
    void prefill(const LiveFeed &feed) override
    {
        chart()->setLegends(lineNames(feed.lines()), QStringLiteral("bottom"));
        chart()->setValueRange(yMin, yMax, 5, 1);
        sendWindow(feed);
    }
    void tick(const LiveFeed &feed, int) override { sendWindow(feed); }

protected:
    KzChartLine *chart() { return static_cast<KzChartLine *>(m_chart.get()); }
    void sendWindow(const LiveFeed &feed)
    {
        QList<Points> rows;
        for (int s = 0; s < feed.lines(); ++s)
            rows.append(feed.window(s));
        chart()->setCategories(feed.oldest(), feed.newest(), 5, 1);
        chart()->setDatas(rows);
    }
};

// The live API: the window once, then each tick's new samples; the
// retention drops the oldest, and the x axis follows the newest.
class LineZoomStream : public LineZoomWindow
{
public:
    void prefill(const LiveFeed &feed) override
    {
        chart()->setRetention(feed.retention());
        sendWindow(feed);
    }
    void tick(const LiveFeed &feed, int added) override
    {
        KzChartLineZoom::SeriesMap series;
        const QStringList names = lineNames(feed.lines());
        for (int s = 0; s < feed.lines(); ++s)
            series.insert(names[s], feed.latest(s, added));
        chart()->appendDatas(series);
    }
};

class LineStream : public LineWindow
{
public:
    void prefill(const LiveFeed &feed) override
    {
        chart()->setRetention(feed.retention());
        LineWindow::prefill(feed);
    }
    void tick(const LiveFeed &feed, int added) override
    {
        QList<Points> rows;
        for (int s = 0; s < feed.lines(); ++s)
            rows.append(feed.latest(s, added));
        chart()->appendDatas(rows);
    }
};

// ---- Native peers ---------------------------------------------------------------

#ifdef KZ_BENCH_QTCHARTS
// replace() with the whole window: appending and removing points one call
// at a time makes Qt Charts redo its work per point.
class QtChartsWindow : public LiveContender
{
public:
    QtChartsWindow(int lines, bool openGL) : m_plot(makeQtChartsPlot(lines, openGL)) { m_plot.y->setRange(yMin, yMax); }
    QWidget *widget() override { return m_plot.view.get(); }
    void prefill(const LiveFeed &feed) override { tick(feed, 0); }
    void tick(const LiveFeed &feed, int) override
    {
        for (int s = 0; s < feed.lines(); ++s)
            m_plot.series[s]->replace(toPointF(feed.window(s)));
        m_plot.x->setRange(feed.oldest(), feed.newest());
    }

private:
    QtChartsPlot m_plot;
};
#endif

#ifdef KZ_BENCH_QCUSTOMPLOT
// addData() of the new samples, removeBefore() of the expired ones, replot().
class CustomPlotStream : public LiveContender
{
public:
    explicit CustomPlotStream(int lines)
    {
        for (int s = 0; s < lines; ++s)
            m_plot.addGraph();
        m_plot.yAxis->setRange(yMin, yMax);
    }
    QWidget *widget() override { return &m_plot; }
    void prefill(const LiveFeed &feed) override { tick(feed, feed.newest() + 1); }
    void tick(const LiveFeed &feed, int added) override
    {
        for (int s = 0; s < feed.lines(); ++s) {
            QVector<double> keys, values;
            for (const auto &point : feed.latest(s, added)) {
                keys.append(point.first);
                values.append(point.second);
            }
            m_plot.graph(s)->addData(keys, values, true);
            m_plot.graph(s)->data()->removeBefore(feed.oldest());
        }
        m_plot.xAxis->setRange(feed.oldest(), feed.newest());
        m_plot.replot();
    }

private:
    QCustomPlot m_plot;
};
#endif

#ifdef KZ_BENCH_QWT
// setSamples() with the whole window, replot().
class QwtWindow : public LiveContender
{
public:
    explicit QwtWindow(int lines)
    {
        for (int s = 0; s < lines; ++s) {
            m_curves.append(new QwtPlotCurve);
            m_curves.last()->attach(&m_plot);
        }
        m_plot.setAxisScale(QwtPlot::yLeft, yMin, yMax);
    }
    QWidget *widget() override { return &m_plot; }
    QWidget *surface() override { return m_plot.canvas(); }
    void prefill(const LiveFeed &feed) override { tick(feed, 0); }
    void tick(const LiveFeed &feed, int) override
    {
        for (int s = 0; s < feed.lines(); ++s)
            m_curves[s]->setSamples(toPointF(feed.window(s)));
        m_plot.setAxisScale(QwtPlot::xBottom, feed.oldest(), feed.newest());
        m_plot.replot();
    }

private:
    QwtPlot m_plot;
    QList<QwtPlotCurve *> m_curves;
};
#endif

} // namespace

std::vector<LiveContenderKind> liveContenders()
{
    std::vector<LiveContenderKind> kinds{
            {"KzChartLineZoom::setOption, whole window", true, [](int) { return std::make_unique<LineZoomWindow>(); }},
            {"KzChartLine::setDatas, whole window", true, [](int) { return std::make_unique<LineWindow>(); }},
            {"KzChartLineZoom::appendDatas", true, [](int) { return std::make_unique<LineZoomStream>(); }},
            {"KzChartLine::appendDatas", true, [](int) { return std::make_unique<LineStream>(); }},
    };
#ifdef KZ_BENCH_QTCHARTS
    kinds.push_back({"Qt Charts replace(), software", false, [](int lines) { return std::make_unique<QtChartsWindow>(lines, false); }});
    kinds.push_back({"Qt Charts replace(), OpenGL", false, [](int lines) { return std::make_unique<QtChartsWindow>(lines, true); }});
#endif
#ifdef KZ_BENCH_QCUSTOMPLOT
    kinds.push_back({"QCustomPlot addData+removeBefore+replot", false, [](int lines) { return std::make_unique<CustomPlotStream>(lines); }});
#endif
#ifdef KZ_BENCH_QWT
    kinds.push_back({"Qwt setSamples+replot", false, [](int lines) { return std::make_unique<QwtWindow>(lines); }});
#endif
    return kinds;
}
