#include "kzchartwait.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace KzChartHost {

namespace {

// Quits the application from the first event loop that runs: a quit request
// made while no loop runs would otherwise be lost.
void quitWhenLoopRuns()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::quit();
        else
            quitWhenLoopRuns();
    });
}

} // namespace

ChartWait::ChartWait(QObject *watched)
    : m_watched(watched)
{
    QObject::connect(watched, &QObject::destroyed, &m_loop, &QEventLoop::quit, Qt::DirectConnection);
}

void ChartWait::finish()
{
    m_finished = true;
    m_loop.quit();
}

bool ChartWait::exec()
{
    if (m_watched && !m_finished)
        m_loop.exec(QEventLoop::AllEvents);
    // Nothing but a quit request (QCoreApplication::exit() ends every running
    // loop) ends the wait early while the watched object lives. Before the
    // application's own loop runs, that request would be lost.
    if (!m_finished && m_watched && QThread::currentThread()->loopLevel() == 0)
        quitWhenLoopRuns();
    return m_finished;
}

} // namespace KzChartHost
