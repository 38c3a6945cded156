#include "kzchartsummary.h"

#include <QCoreApplication>
#include <QLocale>
#include <QWidget>

#include <cmath>
#include <functional>

namespace KzChartHost {

namespace {

// What a chart's description lists.
enum class Listing { Series, SeriesWithLastValues, Slices };

struct Kind
{
    const char *className;
    const char *name;
    Listing listing;
};

const Kind kinds[] = {
    {"KzChartBar", QT_TRANSLATE_NOOP("KzChart", "柱状图"), Listing::Series},
    {"KzChartStack", QT_TRANSLATE_NOOP("KzChart", "堆叠柱状图"), Listing::Series},
    {"KzChartPie", QT_TRANSLATE_NOOP("KzChart", "饼图"), Listing::Slices},
    {"KzChartDonut", QT_TRANSLATE_NOOP("KzChart", "环形图"), Listing::Slices},
    {"KzChartLine", QT_TRANSLATE_NOOP("KzChart", "折线图"), Listing::SeriesWithLastValues},
    {"KzChartLineZoom", QT_TRANSLATE_NOOP("KzChart", "监测曲线图"), Listing::SeriesWithLastValues},
};

// Of the chart's class or the class it derives from.
const Kind &kindOf(const QWidget *chart)
{
    for (const Kind &kind : kinds) {
        if (chart->inherits(kind.className))
            return kind;
    }
    Q_UNREACHABLE();
}

// The first ten of count items, text(i) each, as the locale lists them
// ("a, b and c"), and how many more there are.
QString listed(int count, const std::function<QString(int)> &text)
{
    const int shown = qMin(count, 10);
    QStringList items;
    for (int i = 0; i < shown; ++i)
        items.append(text(i));
    if (count > shown)
        items.append(QCoreApplication::translate("KzChart", "另有 %n 项", nullptr, count - shown));
    return QLocale().createSeparatedList(items);
}

QString seriesText(const SeriesData &series, Listing listing)
{
    const QString name = series.name.isEmpty() ? QCoreApplication::translate("KzChart", "未命名") : series.name;
    const int points = series.ys.size();
    for (int i = points - 1; listing == Listing::SeriesWithLastValues && i >= 0; --i) {
        if (std::isfinite(series.ys.at(i)))
            return QCoreApplication::translate("KzChart", "%1（%n 个数据点，最新值 %2）", nullptr, points)
                    .arg(name, QLocale().toString(series.ys.at(i), 'g', 6));
    }
    return QCoreApplication::translate("KzChart", "%1（%n 个数据点）", nullptr, points).arg(name);
}

QString description(const QString &kind, Listing listing, const ChartData &data)
{
    if (listing == Listing::Slices && !data.categories.isEmpty()) {
        return QCoreApplication::translate("KzChart", "%1，%n 个扇区：%2", nullptr, data.categories.size())
                .arg(kind, listed(data.categories.size(), [&](int i) { return data.categories.at(i); }));
    }
    if (listing == Listing::Slices || data.series.isEmpty())
        return QCoreApplication::translate("KzChart", "%1，暂无数据").arg(kind);
    return QCoreApplication::translate("KzChart", "%1，%n 个系列：%2", nullptr, data.series.size())
            .arg(kind, listed(data.series.size(), [&](int i) { return seriesText(data.series.at(i), listing); }));
}

} // namespace

void describeChart(QWidget *chart, const QString &title, const ChartData &data)
{
    const Kind &kind = kindOf(chart);
    const QString kindName = QCoreApplication::translate("KzChart", kind.name);
    const QString name = title.isEmpty() ? kindName : title;
    if (chart->accessibleName() != name)
        chart->setAccessibleName(name);
    const QString text = description(kindName, kind.listing, data);
    if (chart->accessibleDescription() != text)
        chart->setAccessibleDescription(text);
}

} // namespace KzChartHost
