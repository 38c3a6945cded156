#include "gallerywindow.h"
#include "pages.h"

#include <kzchartlinezoom.h>

#include <QDate>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

namespace {

const QStringList points = {QStringLiteral("CJ-01"), QStringLiteral("CJ-02"), QStringLiteral("CJ-03"),
                            QStringLiteral("CJ-04")};

QStringList surveyDates()
{
    QStringList dates;
    const QDate first(2026, 3, 1);
    for (int day = 0; day < 30; ++day)
        dates.append(first.addDays(day).toString(QStringLiteral("yyyy-MM-dd")));
    return dates;
}

// Cumulative settlement in mm of four points beside an excavation: each
// settles at its own rate, with the wobble of real survey readings.
KzChartLineZoom::SeriesMap settlements()
{
    const double rates[] = {0.78, 0.62, 0.85, 0.45};
    KzChartLineZoom::SeriesMap datas;
    for (int point = 0; point < points.size(); ++point) {
        QList<QPair<double, double>> pairs;
        for (int day = 0; day < 30; ++day) {
            const double value = rates[point] * day + 1.2 * qSin(day * 0.7 + point) + point;
            pairs.append(qMakePair(double(day), qRound(value * 10) / 10.0));
        }
        datas.insert(points.at(point), pairs);
    }
    return datas;
}

// Depths at which the settlement plates were read, on the dates that had a
// survey by the deep benchmark.
KzChartLineZoom::DepthMap plateDepths(const QStringList &dates)
{
    KzChartLineZoom::DepthMap depths;
    for (int day = 0; day < dates.size(); day += 3) {
        depths[QStringLiteral("CJ-01")].insert(dates.at(day), QStringLiteral("3.5"));
        depths[QStringLiteral("CJ-03")].insert(dates.at(day), QString::number(4 + (day % 2) * 0.5));
    }
    depths[QStringLiteral("CJ-02")].insert(dates.at(0), QStringLiteral("-2"));
    return depths;
}

void showSettlement(KzChartLineZoom *chart)
{
    const KzChartLineZoom::AlarmMap alarms{
            {20.0, {{QStringLiteral("预警值")}, {QStringLiteral("CJ-01"), QStringLiteral("CJ-02"), QStringLiteral("CJ-04")}}},
            {25.0, {{QStringLiteral("报警值")}, {QStringLiteral("CJ-01"), QStringLiteral("CJ-03")}}}};
    chart->setOption(1, points, QStringLiteral("bottom"), true, 0, 100, QStringLiteral("6%"), QStringLiteral("14%"),
                     QStringLiteral("8%"), QStringLiteral("18%"), true, surveyDates(), false, 4, 0, 30, 6, 1,
                     settlements(), alarms, QStringLiteral("基坑周边地表沉降"),
                     QStringLiteral("累计沉降 (mm) · 双击折线查看测段"));
}

// Horizontal displacement (mm) along inclinometer ZK-1 on two survey dates,
// listed from the bottom of the hole upwards.
void showProfile(KzChartLineZoom *chart)
{
    const QStringList surveys = {QStringLiteral("03-01"), QStringLiteral("03-30")};
    KzChartLineZoom::SeriesMap datas;
    for (int survey = 0; survey < surveys.size(); ++survey) {
        QList<QPair<double, double>> pairs;
        for (int depth = 20; depth >= 0; depth -= 2) {
            const double displacement = (survey ? 34.0 : 12.0) * qExp(-depth / 6.0) + 0.3 * (20 - depth) / 2;
            pairs.append(qMakePair(qRound(displacement * 10) / 10.0, double(depth)));
        }
        datas.insert(surveys.at(survey), pairs);
    }
    chart->setOption(2, surveys, QStringLiteral("bottom"), true, 0, 100, QStringLiteral("12%"),
                     QStringLiteral("8%"), QStringLiteral("14%"), QStringLiteral("18%"), true, 0, 40, 4, 5,
                     false, true, 0, 20, 5, 1, datas);
}

QPushButton *addButton(QHBoxLayout *buttons, const QString &text)
{
    auto *button = new QPushButton(text);
    buttons->addWidget(button);
    return button;
}

} // namespace

void addLineZoomPage(GalleryWindow *window)
{
    auto *page = new QWidget;
    auto *monitoring = new KzChartLineZoom(page);
    auto *profile = new KzChartLineZoom(page);
    const QStringList dates = surveyDates();
    monitoring->setDepthDate(plateDepths(dates));
    showSettlement(monitoring);
    showProfile(profile);

    const auto logLegend = [window](const QString &source) {
        return [window, source](const QStringList &names, bool selected) {
            window->logSignal(source, QStringLiteral("legendClicked(%1, %2)")
                                              .arg(quoted(names), selected ? QStringLiteral("true")
                                                                           : QStringLiteral("false")));
        };
    };
    QObject::connect(monitoring, &KzChartLineZoom::legendClicked, window, logLegend(QStringLiteral("沉降")));
    QObject::connect(profile, &KzChartLineZoom::legendClicked, window, logLegend(QStringLiteral("测斜")));
    QObject::connect(monitoring, &KzChartLineZoom::lineDBClicked, window,
                     [window, dates](const QString &point, int start, int end) {
        window->logSignal(QStringLiteral("沉降"), QStringLiteral("lineDBClicked(%1, %2, %3)  %4 → %5")
                                  .arg(quoted(point)).arg(start).arg(end)
                                  .arg(dates.value(start), dates.value(end)));
    });
    QObject::connect(profile, &KzChartLineZoom::lineDBClicked, window,
                     [window](const QString &point, int start, int end) {
        window->logSignal(QStringLiteral("测斜"), QStringLiteral("lineDBClicked(%1, %2, %3)")
                                  .arg(quoted(point)).arg(start).arg(end));
    });

    auto *buttons = new QHBoxLayout;
    QObject::connect(addButton(buttons, QObject::tr("Only CJ-01")), &QPushButton::clicked, monitoring,
                     [monitoring] { monitoring->setLegendClicked({QStringLiteral("CJ-01")}); });
    QObject::connect(addButton(buttons, QObject::tr("CJ-02 and CJ-04")), &QPushButton::clicked, monitoring,
                     [monitoring] { monitoring->setLegendClicked({QStringLiteral("CJ-02"), QStringLiteral("CJ-04")}); });
    QObject::connect(addButton(buttons, QObject::tr("All points")), &QPushButton::clicked, monitoring,
                     [monitoring] { monitoring->setLegendClicked(points); });
    QObject::connect(addButton(buttons, QObject::tr("Hide depths")), &QPushButton::clicked, monitoring,
                     [monitoring] { monitoring->setDepthDate({}); });
    QObject::connect(addButton(buttons, QObject::tr("Show depths")), &QPushButton::clicked, monitoring,
                     [monitoring, dates] { monitoring->setDepthDate(plateDepths(dates)); });
    QObject::connect(addButton(buttons, QObject::tr("Reload")), &QPushButton::clicked, monitoring,
                     [monitoring, profile] {
        showSettlement(monitoring);
        showProfile(profile);
    });
    buttons->addStretch();

    auto *charts = new QHBoxLayout;
    charts->addWidget(monitoring, 5);
    charts->addWidget(profile, 2);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(charts, 1);
    layout->addLayout(buttons);

    window->addPage(QObject::tr("Monitoring"), page);
    window->addScreenshot(QStringLiteral("lineZoom-monitoring"), monitoring);
    window->addScreenshot(QStringLiteral("lineZoom-profile"), profile);
}
