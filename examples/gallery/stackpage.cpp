#include "gallerywindow.h"
#include "pages.h"

#include <kzchartstack.h>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// Energy use of each workshop by carrier, in tonnes of standard coal. The
// categories go to whichever axis holds them, so they are sent again after
// every change of orientation.
void showEnergy(KzChartStack *chart, bool horizontal)
{
    chart->setHorizontal(horizontal);
    chart->setCategories({QStringLiteral("冲压车间"), QStringLiteral("焊装车间"), QStringLiteral("涂装车间"),
                          QStringLiteral("总装车间"), QStringLiteral("动力站")});
    chart->setDatas(QList<QList<double>>{
            {162.4, 226.8, 296.3, 120.5, 93.4},
            {12.6, 18.2, 64.8, 9.7, 35.1},
            {0.0, 21.5, 118.9, 14.2, 205.6},
            {38.2, 52.7, 41.3, 27.9, 12.4}});
}

} // namespace

void addStackPage(GalleryWindow *window)
{
    auto *page = new QWidget;
    auto *chart = new KzChartStack(page);
    chart->setTitle(QStringLiteral("各车间能耗构成"));
    chart->setSubTitle(QStringLiteral("2026 年 5 月 · 单位：吨标准煤"));
    chart->setToolBackVisible(true);
    chart->setLegends({QStringLiteral("电"), QStringLiteral("水"), QStringLiteral("蒸汽"), QStringLiteral("压缩空气")},
                      true);
    showEnergy(chart, true);

    QObject::connect(chart, &KzChartStack::categoryClicked, window, [window](const QString &category) {
        window->logSignal(QStringLiteral("KzChartStack"), QStringLiteral("categoryClicked(%1)").arg(quoted(category)));
    });
    QObject::connect(chart, &KzChartStack::toolBackClicked, window, [window] {
        window->logSignal(QStringLiteral("KzChartStack"), QStringLiteral("toolBackClicked()"));
    });

    auto *upright = new QCheckBox(QObject::tr("Upright bars"), page);
    QObject::connect(upright, &QCheckBox::toggled, chart, [chart](bool on) { showEnergy(chart, !on); });

    auto *options = new QHBoxLayout;
    options->addWidget(upright);
    options->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(chart, 1);
    layout->addLayout(options);

    window->addPage(QObject::tr("Stacked bar"), page);
    window->addScreenshot(QStringLiteral("stack"), chart);
}
