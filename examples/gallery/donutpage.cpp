#include "gallerywindow.h"
#include "pages.h"

#include <kzchartdonut.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

struct Shift
{
    QString name;
    QList<int> parts; // good, reworked, scrapped
};

const QList<Shift> shifts = {
    {QStringLiteral("早班"), {1862, 96, 31}},
    {QStringLiteral("中班"), {1740, 132, 48}},
    {QStringLiteral("夜班"), {1415, 171, 77}},
};

// Quality of one shift's parts, with the share of good parts in the centre.
void showShift(KzChartDonut *chart, const Shift &shift)
{
    int total = 0;
    for (int count : shift.parts)
        total += count;
    chart->setTitle(QStringLiteral("%1产品质量").arg(shift.name));
    chart->setDatasName(shift.name);
    chart->setDatas(shift.parts);
    chart->setLabel(QStringLiteral("合格率"),
                    QStringLiteral("%1%").arg(100.0 * shift.parts.at(0) / total, 0, 'f', 1));
}

} // namespace

void addDonutPage(GalleryWindow *window)
{
    auto *page = new QWidget;
    auto *chart = new KzChartDonut(page);
    chart->setColors({QStringLiteral("#2ec7c9"), QStringLiteral("#ffb980"), QStringLiteral("#d87a80")});
    chart->setSubTitle(QStringLiteral("单位：件 · 点击环段记录"));
    chart->setToolBackVisible(true);
    chart->setLegends({QStringLiteral("合格"), QStringLiteral("返工"), QStringLiteral("报废")}, true, true);
    showShift(chart, shifts.first());

    QObject::connect(chart, &KzChartDonut::categoryClicked, window, [window](const QString &category) {
        window->logSignal(QStringLiteral("KzChartDonut"), QStringLiteral("categoryClicked(%1)").arg(quoted(category)));
    });
    QObject::connect(chart, &KzChartDonut::toolBackClicked, window, [window] {
        window->logSignal(QStringLiteral("KzChartDonut"), QStringLiteral("toolBackClicked()"));
    });

    auto *shift = new QComboBox(page);
    for (const Shift &each : shifts)
        shift->addItem(each.name);
    QObject::connect(shift, QOverload<int>::of(&QComboBox::currentIndexChanged), chart,
                     [chart](int index) { showShift(chart, shifts.at(index)); });
    auto *tooltip = new QCheckBox(QObject::tr("Tooltip"), page);
    tooltip->setChecked(true);
    QObject::connect(tooltip, &QCheckBox::toggled, chart, &KzChartDonut::setTooltip);

    auto *options = new QHBoxLayout;
    options->addWidget(shift);
    options->addWidget(tooltip);
    options->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(chart, 1);
    layout->addLayout(options);

    window->addPage(QObject::tr("Donut"), page);
    window->addScreenshot(QStringLiteral("donut"), chart);
}
