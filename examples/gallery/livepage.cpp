#include "gallerywindow.h"
#include "pages.h"

#include <kzchartline.h>
#include <kzchartlinezoom.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QRandomGenerator>
#include <QTime>
#include <QTimer>
#include <QtMath>

#include <memory>

namespace {

const QStringList sensors = {QStringLiteral("PZ-1"), QStringLiteral("PZ-2")};
// Samples kept per series, and the samples that the charts start with.
const int retention = 100000;
const int history = 100000;
const double alarm = 14.0;

// Two piezometers read ten times a second: water levels (m) on a slow wave,
// with noise, and now and then a surge across the alarm line.
class Sensor
{
public:
    double read(int sensor, qint64 sample)
    {
        const double wave = 10 + 2.5 * qSin(sample / 3000.0 + sensor) + sensor * 1.5;
        const double noise = (m_random.generateDouble() - 0.5) * 0.4;
        const bool surge = m_random.bounded(4000) == 0;
        return qRound((wave + noise + (surge ? 5.0 : 0.0)) * 100) / 100.0;
    }

private:
    QRandomGenerator m_random{20260301};
};

QString timeLabel(qint64 sample)
{
    return QTime(0, 0).addMSecs(int(sample % (24 * 3600 * 10)) * 100).toString(QStringLiteral("HH:mm:ss.z"));
}

// A check box under chart that shows and sets whether the chart follows the
// newest sample.
template <typename Chart>
QCheckBox *followBox(Chart *chart, GalleryWindow *window, const QString &source)
{
    auto *box = new QCheckBox(QObject::tr("Follow the newest sample"));
    box->setChecked(chart->isFollowing());
    QObject::connect(box, &QCheckBox::toggled, chart, &Chart::setFollowing);
    QObject::connect(chart, &Chart::followingChanged, box, [box, window, source](bool following) {
        box->setChecked(following);
        window->logSignal(source, QStringLiteral("followingChanged(%1)")
                                          .arg(following ? QStringLiteral("true") : QStringLiteral("false")));
    });
    return box;
}

} // namespace

void addLivePage(GalleryWindow *window)
{
    auto *page = new QWidget;
    auto *levels = new KzChartLineZoom(page);
    auto *trend = new KzChartLine(page);
    const auto sensor = std::make_shared<Sensor>();

    // The last history samples, by time label on the monitoring chart and by
    // sample number on the line chart.
    QStringList labels;
    QList<QList<double>> rows{{}, {}};
    KzChartLineZoom::SeriesMap byLabel;
    for (int i = 0; i < history; ++i) {
        labels.append(timeLabel(i));
        for (int s = 0; s < sensors.size(); ++s) {
            rows[s].append(sensor->read(s, i));
            byLabel[sensors.at(s)].append({double(i), rows[s].last()});
        }
    }
    levels->setRetention(retention);
    levels->setOption(1, sensors, QStringLiteral("bottom"), true, 90, 100, QStringLiteral("6%"),
                      QStringLiteral("14%"), QStringLiteral("8%"), QStringLiteral("18%"), true, labels, false, 0, 4,
                      20, 8, 1, byLabel, {{alarm, {{QStringLiteral("报警值")}, sensors}}},
                      QStringLiteral("孔隙水压力监测 · 实时"), QStringLiteral("水位 (m)，每 0.1 s 一个读数"));
    trend->setRetention(retention);
    trend->setTitle(QStringLiteral("PZ-1 / PZ-2"));
    trend->setLegends(sensors, QStringLiteral("bottom"));
    trend->setCategories(0, history, 5, 1);
    trend->setDataZoom(true);
    trend->setToolTip(0);
    QList<QList<QPair<double, double>>> points{{}, {}};
    for (int s = 0; s < sensors.size(); ++s) {
        for (int i = 0; i < history; ++i)
            points[s].append({double(i), rows.at(s).at(i)});
    }
    trend->setDatas(points);

    // Ten times a second, one new reading per sensor.
    auto *clock = new QTimer(page);
    QObject::connect(clock, &QTimer::timeout, page, [levels, trend, sensor, next = qint64(history)]() mutable {
        QList<QList<double>> values;
        QList<QList<QPair<double, double>>> samples;
        for (int s = 0; s < sensors.size(); ++s) {
            values.append(QList<double>{sensor->read(s, next)});
            samples.append(QList<QPair<double, double>>{{double(next), values.last().first()}});
        }
        levels->appendDatas({timeLabel(next)}, values);
        trend->appendDatas(samples);
        ++next;
    });
    clock->start(100);

    auto *layout = new QGridLayout(page);
    layout->addWidget(levels, 0, 0);
    layout->addWidget(trend, 0, 1);
    layout->addWidget(followBox(levels, window, QStringLiteral("实时水位")), 1, 0);
    layout->addWidget(followBox(trend, window, QStringLiteral("PZ trend")), 1, 1);
    layout->setRowStretch(0, 1);

    // No screenshot: grabs of a view that redraws ten times a second may
    // mix two frames.
    window->addPage(QObject::tr("Live"), page);
}
