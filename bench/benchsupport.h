// What the benchmark's sections share: settings, tables of samples, pages,
// the frames that windows show, test data, CPU time and memory.
#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include <QList>
#include <QObject>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <set>
#include <vector>

QT_BEGIN_NAMESPACE
class QElapsedTimer;
class QWebEngineView;
class QWidget;
QT_END_NAMESPACE

using Points = QList<QPair<double, double>>;
extern const QSize chartSize;

struct Settings
{
    int runs = 9;
    QList<int> counts{1000, 10000, 100000};
    QList<int> chartCounts{1, 5, 10, 20};
    int dashboardBig = 100000;
    // Plain ECharts takes seconds per run beyond this; --full goes on.
    int floorLimit = 10000;
    // The live section: samples kept per series, how long each contender is
    // fed, how long the charts may take to catch up after that (and twelve
    // times as long after the prefill), and whether the dashboard W2 runs.
    int liveRetention = 100000;
    int liveSeconds = 30;
    int liveCatchUpMs = 5000;
    bool liveDashboard = true;
    bool processPerSite = false;
    // Where each contender's picture goes (--pictures DIR), or empty.
    QString pictures;
    QStringList sections{"ready", "setters", "calls", "dashboard", "memory", "live", "recovery", "export"};
};

double elapsedMs(const QElapsedTimer &timer);
// The wall clock in ms: the clock that the pages' own times can be compared
// with (performance.timeOrigin + performance.now()).
double wallMs();
QString loadAverage();
// Runs the event loop for ms.
void settle(int ms);

// Samples by row label, in the order the rows were first seen, printed with
// their median, minimum, maximum and how many there are.
class Table
{
public:
    explicit Table(const QString &title);
    void add(const QString &row, double value);
    void print() const;

private:
    QByteArray m_title;
    QStringList m_order;
    std::map<QString, std::vector<double>> m_values;
};

double median(std::vector<double> values);
// The value below which the fraction q of values lie (nearest rank).
double quantile(std::vector<double> values, double q);

// ---- Pages ------------------------------------------------------------------

// Runs script in the view's page and waits for its answer.
QVariant evaluate(QWebEngineView *view, const QString &script);
QWebEngineView *chartView(QWidget *chart);
// A bare view with an empty channel showing one of the library's pages.
std::unique_ptr<QWebEngineView> barePage(const QString &page);
// Resizes widget to chartSize, shows it and lets it lay out.
void showChart(QWidget *widget);
// The widget whose repaints show a web view's frames: its focus proxy, the
// view's render delegate.
QWidget *webSurface(QWebEngineView *view);

// Marks a chart page unpainted; the next "finished" of its chart plus one
// frame marks it painted again. Runs before the calls made after it.
void armPainted(QWebEngineView *view);

// When the window first showed the painted chart (ms after the call), and
// the longest wait for one of the page's answers meanwhile: how long the
// page kept the host (and the mouse, whose events the same thread handles)
// waiting.
struct Painted
{
    double shownMs = 0;
    double longestWaitMs = 0;
};

// Asks the page every 2 ms whether it has painted, until it has and until
// watchMs have passed since the call at callAt (wallMs()): a fixed watch
// gives every contender the same number of questions.
Painted waitPainted(QWebEngineView *view, double callAt, int watchMs = 0);

// ---- Frames shown -------------------------------------------------------------

// The frames that the windows show. A widget paints into its window's
// backing store, and the window shows the result when it flushes that store
// while handling its update request; a web view's frame reaches its window
// the same way, through the render delegate (a QQuickWidget) that composes
// the renderer's frames. So "shown" ends here for every contender alike: at
// the end of the first window flush, after the point of interest, in which a
// watched widget was repainted.
class ShownFrames : public QObject
{
public:
    static ShownFrames &instance();
    // Notes the repaints of surface and the widgets in it (as they are now).
    void watch(QWidget *surface);
    // The end (wallMs()) of the first flush at or after ms that showed
    // surface repainted, or 0 when none has yet.
    double firstAfter(QWidget *surface, double ms) const;
    // Waits (at most timeoutMs) for such a flush and returns it, or 0.
    double waitFirstAfter(QWidget *surface, double ms, int timeoutMs = 10000);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::map<QObject *, QWidget *> m_surfaceOf;
    std::set<QObject *> m_windows;
    std::set<QWidget *> m_painted;
    std::map<QWidget *, std::vector<double>> m_frames;
};

// Saves what widget shows as DIR/name.png when --pictures DIR was given and
// name is not empty.
void savePicture(const Settings &settings, QWidget *widget, const QString &name);

// ---- Data ---------------------------------------------------------------------

// Sample i of series seed: a wave with noise, two decimals, like a sensor's
// readings; the variant changes the noise, so that consecutive calls always
// change the chart. Series s lies within [20 s - 5, 20 s + 6].
double sample(int i, int count, int seed, int variant = 0);
Points wave(int count, int seed, int variant = 0);
// [[x, y], ...] written with std::to_chars into text.
void appendPlainPoints(std::string &text, const Points &points);

// ---- Processes ------------------------------------------------------------------

// PSS of this process and all its descendants (the WebEngine zygote, the
// renderers and the GPU process), in MB.
double treePssMb();
// CPU time (user and system) in ms: of this process, and of its descendants
// (the WebEngine processes: renderers, zygote and GPU process) alive now.
double hostCpuMs();
double rendererCpuMs();

#endif // BENCHSUPPORT_H
