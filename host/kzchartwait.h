#ifndef KZCHARTWAIT_H
#define KZCHARTWAIT_H

#include <QEventLoop>
#include <QPointer>

namespace KzChartHost {

// A wait of the host for its chart page, with the host's event loop running
// meanwhile, as the constructor waits for the page to load and toImage() for
// the picture. The wait ends when finish() is called; it ends early when the
// watched object (the chart's view) is destroyed, since the chart is then
// gone, and when the application is asked to quit. A quit request made while
// no event loop ran yet would be lost; it is passed on to the first loop
// that runs.
class ChartWait
{
public:
    explicit ChartWait(QObject *watched);

    // Connections made with this context end with the wait, so that a late
    // signal never reaches a wait that is over.
    QObject *context() { return &m_loop; }
    void finish();
    // Waits; true when finish() ended the wait. The watched object, and
    // everything it belonged to, may be gone when it returns false.
    bool exec();

private:
    QEventLoop m_loop;
    QPointer<QObject> m_watched;
    bool m_finished = false;
};

} // namespace KzChartHost

#endif // KZCHARTWAIT_H
