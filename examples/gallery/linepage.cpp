#include "gallerywindow.h"
#include "pages.h"

#include <kzchartline.h>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Monthly mean water levels of three wells over two years, in metres.
void showLevels(KzChartLine *chart)
{
    const QStringList wells = {QStringLiteral("1号井"), QStringLiteral("2号井"), QStringLiteral("3号井")};
    QStringList months;
    QList<QList<double>> levels;
    for (int year = 2025; year <= 2026; ++year) {
        for (int month = 1; month <= 12; ++month)
            months.append(QStringLiteral("%1/%2").arg(year % 100).arg(month, 2, 10, QLatin1Char('0')));
    }
    for (int well = 0; well < wells.size(); ++well) {
        QList<double> row;
        for (int i = 0; i < months.size(); ++i) {
            const double season = std::sin((i - 2 - well) * M_PI / 6.0);
            row.append(std::round((12.0 + 2.5 * well + 1.8 * season - 0.04 * i) * 100.0) / 100.0);
        }
        levels.append(row);
    }
    chart->setTitle(QStringLiteral("各井月均水位"));
    chart->setSubTitle(QStringLiteral("单位：米 · 点击月份或双击数据点"));
    chart->setCategories(months, false, 2);
    chart->setLegends(wells, QStringLiteral("bottom"));
    chart->setValues(false, false);
    chart->setValueRange(8, 20, 6, 1);
    chart->setDatas(levels);
}

// Settlement measured along two survey lines: (distance in m, settlement in mm).
void showSettlement(KzChartLine *chart)
{
    QList<QList<QPair<double, double>>> lines;
    for (int line = 0; line < 2; ++line) {
        QList<QPair<double, double>> points;
        for (double distance = 0; distance <= 120; distance += 7.5) {
            const double bowl = std::exp(-std::pow((distance - 60.0 - 8 * line) / 30.0, 2.0));
            points.append(qMakePair(distance, std::round(-(4.0 + 3 * line) * bowl * 100.0) / 100.0 - 0.5));
        }
        lines.append(points);
    }
    chart->setTitle(QStringLiteral("沉降断面"));
    chart->setSubTitle(QStringLiteral("横轴：距离（米，取整） · 纵轴：沉降（毫米）"));
    chart->setCategories(0, 120, 8, 5);
    chart->setLegends({QStringLiteral("A 测线"), QStringLiteral("B 测线")}, QStringLiteral("bottom"));
    chart->setValueRange(-8, 1, 9, 1);
    chart->setGrid(QStringLiteral("12%"), true);
    chart->setToolTip(1);
    chart->setDatas(lines);
}

void logSignals(GalleryWindow *window, KzChartLine *chart, const QString &source)
{
    QObject::connect(chart, &KzChartLine::categoryClicked, window, [window, source](const QString &category) {
        window->logSignal(source, QStringLiteral("categoryClicked(%1)").arg(quoted(category)));
    });
    QObject::connect(chart, &KzChartLine::seriesClicked, window, [window, source](const QString &name) {
        window->logSignal(source, QStringLiteral("seriesClicked(%1)").arg(quoted(name)));
    });
}

} // namespace

void addLinePage(GalleryWindow *window)
{
    auto *page = new QWidget;

    auto *levels = new KzChartLine(page);
    levels->setColors({QStringLiteral("#2ec7c9"), QStringLiteral("#b6a2de"), QStringLiteral("#d87a80")});
    levels->setGrid(QStringLiteral("20%"), true);
    levels->setDataZoom(true);
    showLevels(levels);
    logSignals(window, levels, QStringLiteral("KzChartLine (levels)"));

    auto *settlement = new KzChartLine(page);
    showSettlement(settlement);
    logSignals(window, settlement, QStringLiteral("KzChartLine (settlement)"));

    auto *zoomBars = new QCheckBox(QObject::tr("Zoom bars"), page);
    zoomBars->setChecked(true);
    QObject::connect(zoomBars, &QCheckBox::toggled, levels, &KzChartLine::setDataZoom);

    auto *charts = new QHBoxLayout;
    charts->addWidget(levels, 1);
    charts->addWidget(settlement, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(zoomBars);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(charts, 1);
    layout->addLayout(buttons);

    window->addPage(QObject::tr("Line"), page);
    window->addScreenshot(QStringLiteral("line"), levels);
    window->addScreenshot(QStringLiteral("linePoints"), settlement);
}
