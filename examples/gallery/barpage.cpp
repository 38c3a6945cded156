#include "gallerywindow.h"
#include "pages.h"

#include <kzchartbar.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList plants = {QStringLiteral("一厂"), QStringLiteral("二厂"), QStringLiteral("三厂")};

// Monthly output of three plants, in tonnes.
void showYear(KzChartBar *chart)
{
    QStringList months;
    for (int month = 1; month <= 12; ++month)
        months.append(QStringLiteral("%1月").arg(month));
    chart->setTitle(QStringLiteral("2026 年各厂月产量"));
    chart->setSubTitle(QStringLiteral("单位：吨 · 点击月份查看每周产量"));
    chart->setCategories(months);
    chart->setLegends(plants);
    chart->setDatas(QList<QList<int>>{
            {820, 932, 901, 934, 1290, 1330, 1320, 1250, 1180, 1105, 990, 870},
            {620, 732, 701, 734, 1090, 1130, 1120, 1040, 980, 905, 790, 700},
            {450, 510, 560, 640, 720, 805, 860, 830, 790, 700, 610, 520}});
}

// Weekly output of the clicked month: a drill-down that the back button undoes.
void showMonth(KzChartBar *chart, const QString &month)
{
    const int seed = month.left(month.size() - 1).toInt();
    QList<QList<double>> rows;
    for (int plant = 0; plant < plants.size(); ++plant) {
        QList<double> row;
        for (int week = 0; week < 4; ++week)
            row.append(150.0 + 20.5 * seed + 31.25 * week - 60.0 * plant + (week % 2) * 12.5);
        rows.append(row);
    }
    chart->clearChart();
    chart->setTitle(QStringLiteral("%1各厂周产量").arg(month));
    chart->setCategories({QStringLiteral("第1周"), QStringLiteral("第2周"), QStringLiteral("第3周"),
                          QStringLiteral("第4周")});
    chart->setDatas(rows);
}

} // namespace

void addBarPage(GalleryWindow *window)
{
    auto *page = new QWidget;
    auto *chart = new KzChartBar(page);
    chart->setColors({QStringLiteral("#2ec7c9"), QStringLiteral("#b6a2de"), QStringLiteral("#5ab1ef")});
    chart->setGrid(8, 15, 5, 15);
    chart->setToolBackVisible(true);
    showYear(chart);

    QObject::connect(chart, &KzChartBar::categoryClicked, window, [window, chart](const QString &category) {
        window->logSignal(QStringLiteral("KzChartBar"), QStringLiteral("categoryClicked(%1)").arg(quoted(category)));
        if (category.endsWith(QStringLiteral("月")))
            showMonth(chart, category);
    });
    QObject::connect(chart, &KzChartBar::toolBackClicked, window, [window, chart] {
        window->logSignal(QStringLiteral("KzChartBar"), QStringLiteral("toolBackClicked()"));
        chart->clearChart();
        showYear(chart);
    });

    auto *clear = new QPushButton(QObject::tr("Clear chart"), page);
    QObject::connect(clear, &QPushButton::clicked, chart, &KzChartBar::clearChart);
    auto *reload = new QPushButton(QObject::tr("Show the year"), page);
    QObject::connect(reload, &QPushButton::clicked, chart, [chart] { showYear(chart); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(reload);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(chart, 1);
    layout->addLayout(buttons);

    window->addPage(QObject::tr("Bar"), page);
    window->addScreenshot(QStringLiteral("bar"), chart);
}
