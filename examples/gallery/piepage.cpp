#include "gallerywindow.h"
#include "pages.h"

#include <kzchartpie.h>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// Electricity use of the site by workshop, in MWh.
void showSite(KzChartPie *chart, bool legendShown)
{
    chart->setTitle(QStringLiteral("全厂用电构成"));
    chart->setSubTitle(QStringLiteral("2026 年 5 月 · 单位：MWh · 点击扇区查看设备"));
    chart->setDatasName(QStringLiteral("用电量"));
    chart->setLegends({QStringLiteral("冲压车间"), QStringLiteral("焊装车间"), QStringLiteral("涂装车间"),
                       QStringLiteral("总装车间"), QStringLiteral("空压站"), QStringLiteral("办公区")},
                      legendShown, true);
    chart->setDatas({1320, 1845, 2410, 980, 760, 215});
}

// The equipment of one workshop: a drill-down that the back button undoes.
void showWorkshop(KzChartPie *chart, const QString &workshop)
{
    chart->setTitle(QStringLiteral("%1用电构成").arg(workshop));
    chart->setDatasName(workshop);
    chart->setLegends({QStringLiteral("生产设备"), QStringLiteral("照明"), QStringLiteral("通风空调"),
                       QStringLiteral("其他")});
    const int seed = workshop.size() * 37 % 11;
    chart->setDatas({620 + 40 * seed, 85 + seed, 240 - 9 * seed, 55});
}

} // namespace

void addPiePage(GalleryWindow *window)
{
    auto *page = new QWidget;
    auto *chart = new KzChartPie(page);
    chart->setToolBackVisible(true);
    showSite(chart, true);

    auto *legendShown = new QCheckBox(QObject::tr("Show the legend"), page);
    legendShown->setChecked(true);
    QObject::connect(legendShown, &QCheckBox::toggled, chart, [chart](bool shown) { showSite(chart, shown); });
    auto *silent = new QCheckBox(QObject::tr("Ignore the mouse (setSilent)"), page);
    QObject::connect(silent, &QCheckBox::toggled, chart, &KzChartPie::setSilent);
    auto *newWindow = new QCheckBox(QObject::tr("Open workshops in a new window"), page);

    // Workshops drill down into their equipment; the back button returns.
    // A new chart may be built right in the slot of the click.
    QObject::connect(chart, &KzChartPie::categoryClicked, window, [window, chart, newWindow](const QString &category) {
        window->logSignal(QStringLiteral("KzChartPie"), QStringLiteral("categoryClicked(%1)").arg(quoted(category)));
        if (!category.endsWith(QStringLiteral("车间")))
            return;
        if (!newWindow->isChecked()) {
            showWorkshop(chart, category);
            return;
        }
        auto *detail = new KzChartPie;
        detail->setAttribute(Qt::WA_DeleteOnClose);
        detail->setWindowTitle(category);
        showWorkshop(detail, category);
        detail->resize(640, 480);
        detail->show();
    });
    QObject::connect(chart, &KzChartPie::toolBackClicked, window, [window, chart, legendShown] {
        window->logSignal(QStringLiteral("KzChartPie"), QStringLiteral("toolBackClicked()"));
        showSite(chart, legendShown->isChecked());
    });

    auto *options = new QHBoxLayout;
    options->addWidget(legendShown);
    options->addWidget(silent);
    options->addWidget(newWindow);
    options->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(chart, 1);
    layout->addLayout(options);

    window->addPage(QObject::tr("Pie"), page);
    window->addScreenshot(QStringLiteral("pie"), chart);
}
