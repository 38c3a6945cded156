#include "benchsupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

const QSize chartSize(1000, 600);

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double wallMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count();
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2)
                                          : QStringLiteral("unknown");
}

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// ---- Reporting -------------------------------------------------------------

Table::Table(const QString &title) : m_title(title.toUtf8()) {}

void Table::add(const QString &row, double value)
{
    if (!m_values.count(row))
        m_order.append(row);
    m_values[row].push_back(value);
}

void Table::print() const
{
    std::printf("\n%s\n%-80s %9s %9s %9s %3s\n", m_title.constData(), "", "median", "min", "max", "n");
    for (const QString &row : m_order) {
        const std::vector<double> &values = m_values.at(row);
        std::printf("%-80s %9.1f %9.1f %9.1f %3zu\n", qPrintable(row), median(values),
                    *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()),
                    values.size());
    }
    std::fflush(stdout);
}

double median(std::vector<double> values)
{
    return quantile(std::move(values), 0.5);
}

double quantile(std::vector<double> values, double q)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const auto rank = size_t(std::ceil(q * values.size()));
    return values[std::min(values.size() - 1, rank ? rank - 1 : 0)];
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

QWebEngineView *chartView(QWidget *chart)
{
    return chart->findChild<QWebEngineView *>();
}

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

void showChart(QWidget *widget)
{
    widget->resize(chartSize);
    widget->show();
    settle(50);
}

QWidget *webSurface(QWebEngineView *view)
{
    return view->focusProxy() ? view->focusProxy() : view;
}

// The page notes when it painted on the wall clock, kzBench.paintedAt.
void armPainted(QWebEngineView *view)
{
    view->page()->runJavaScript(QStringLiteral(
            "if (!window.kzBench) { window.kzBench = {};"
            "  myChart.on('finished', function () {"
            "    if (!window.waitingCalls) requestAnimationFrame(function () {"
            "      kzBench.painted = true; kzBench.paintedAt = performance.timeOrigin + performance.now(); }); }); }"
            "kzBench.painted = false;"));
}

Painted waitPainted(QWebEngineView *view, double callAt, int watchMs)
{
    Painted result;
    double paintedAt = 0;
    for (;;) {
        QElapsedTimer answer;
        answer.start();
        if (paintedAt == 0)
            paintedAt = evaluate(view, QStringLiteral("kzBench.painted ? kzBench.paintedAt : 0")).toDouble();
        else
            evaluate(view, QStringLiteral("0"));
        result.longestWaitMs = std::max(result.longestWaitMs, elapsedMs(answer));
        if ((paintedAt != 0 && wallMs() - callAt >= watchMs) || wallMs() - callAt > 120000)
            break;
        settle(2);
    }
    if (paintedAt != 0)
        result.shownMs = ShownFrames::instance().waitFirstAfter(webSurface(view), paintedAt) - callAt;
    return result;
}

// ---- Frames shown ------------------------------------------------------------

ShownFrames &ShownFrames::instance()
{
    static ShownFrames frames;
    return frames;
}

void ShownFrames::watch(QWidget *surface)
{
    QList<QWidget *> widgets = surface->findChildren<QWidget *>();
    widgets.prepend(surface);
    for (QWidget *widget : widgets) {
        if (m_surfaceOf.count(widget))
            continue;
        m_surfaceOf[widget] = surface;
        widget->installEventFilter(this);
        connect(widget, &QObject::destroyed, this, [this, widget, surface] {
            m_surfaceOf.erase(widget);
            m_painted.erase(surface);
            m_frames.erase(surface);
        });
    }
    QWidget *window = surface->window();
    if (m_windows.insert(window).second) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this, window] { m_windows.erase(window); });
    }
}

bool ShownFrames::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        const auto it = m_surfaceOf.find(watched);
        if (it != m_surfaceOf.end())
            m_painted.insert(it->second);
    } else if (event->type() == QEvent::UpdateRequest && m_windows.count(watched)) {
        // The window paints what is due and flushes within its own handler;
        // the frame is shown once that returns.
        watched->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        watched->installEventFilter(this);
        const double now = wallMs();
        for (QWidget *surface : m_painted)
            m_frames[surface].push_back(now);
        m_painted.clear();
        return true;
    }
    return false;
}

double ShownFrames::firstAfter(QWidget *surface, double ms) const
{
    const auto it = m_frames.find(surface);
    if (it == m_frames.end())
        return 0;
    const auto frame = std::lower_bound(it->second.begin(), it->second.end(), ms);
    return frame == it->second.end() ? 0 : *frame;
}

double ShownFrames::waitFirstAfter(QWidget *surface, double ms, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    double frame = 0;
    while ((frame = firstAfter(surface, ms)) == 0 && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return frame;
}

void savePicture(const Settings &settings, QWidget *widget, const QString &name)
{
    if (settings.pictures.isEmpty() || name.isEmpty())
        return;
    QDir().mkpath(settings.pictures);
    const QString path = QDir(settings.pictures).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path))
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
}

// ---- Data ------------------------------------------------------------------

double sample(int i, int count, int seed, int variant)
{
    const double noise = ((qint64(i) * 7919 + seed * 104729 + variant * 15485863) % 1000) / 1000.0;
    return std::round((20.0 * seed + 5 * std::sin(i * 20.0 / count) + noise) * 100) / 100;
}

Points wave(int count, int seed, int variant)
{
    Points points;
    points.reserve(count);
    for (int i = 0; i < count; ++i)
        points.append({double(i), sample(i, count, seed, variant)});
    return points;
}

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

// ---- Processes ---------------------------------------------------------------

namespace {

struct ProcessInfo
{
    qint64 parent = 0;
    double cpuMs = 0;
};

// Every process by pid: its parent and the CPU time it has used.
std::map<qint64, ProcessInfo> processes()
{
    static const double msPerTick = 1000.0 / sysconf(_SC_CLK_TCK);
    std::map<qint64, ProcessInfo> result;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // After the command's closing parenthesis: state, parent, ... with
        // user and system time the 12th and 13th.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            result[pid] = {fields.at(1).toLongLong(), (fields.at(11).toDouble() + fields.at(12).toDouble()) * msPerTick};
    }
    return result;
}

std::vector<qint64> descendants(const std::map<qint64, ProcessInfo> &all, qint64 root)
{
    std::map<qint64, std::vector<qint64>> children;
    for (const auto &process : all)
        children[process.second.parent].push_back(process.first);
    std::vector<qint64> result, pending{root};
    while (!pending.empty()) {
        const qint64 pid = pending.back();
        pending.pop_back();
        for (qint64 child : children[pid]) {
            result.push_back(child);
            pending.push_back(child);
        }
    }
    return result;
}

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

} // namespace

double treePssMb()
{
    const qint64 self = QCoreApplication::applicationPid();
    qint64 total = pssKb(self);
    for (qint64 pid : descendants(processes(), self))
        total += pssKb(pid);
    return total / 1024.0;
}

double hostCpuMs()
{
    const auto all = processes();
    const auto it = all.find(QCoreApplication::applicationPid());
    return it == all.end() ? 0 : it->second.cpuMs;
}

double rendererCpuMs()
{
    const auto all = processes();
    double total = 0;
    for (qint64 pid : descendants(all, QCoreApplication::applicationPid()))
        total += all.at(pid).cpuMs;
    return total;
}
