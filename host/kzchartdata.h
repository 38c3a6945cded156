#ifndef KZCHARTDATA_H
#define KZCHARTDATA_H

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace KzChartHost {

// One series as the host gave it: its name, its values and, on a numeric x
// axis, their x values (empty over categories, where x is the value's index).
struct SeriesData
{
    QString name;
    QVector<double> xs;
    QVector<double> ys;
};

// The data that a chart shows, as the host gave it: what exports (CSV) and
// appends build on. Pie and donut charts hold one series, whose categories are
// the slice names.
struct ChartData
{
    QStringList categories;
    QList<SeriesData> series;

    // Replaces the first rows.size() series with these rows, named by names,
    // keeping later series (the merging pages keep them on the chart too).
    template <typename Number>
    void setRows(const QStringList &names, const QList<QList<Number>> &rows)
    {
        resize(rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            series[i] = SeriesData{names.value(i), {}, {}};
            series[i].ys.reserve(rows.at(i).size());
            for (Number value : rows.at(i))
                series[i].ys.append(value);
        }
    }
    // The same with (x, y) points, x as x(point.first).
    void setPoints(const QStringList &names, const QList<QList<QPair<double, double>>> &rows,
                   double (*x)(double) = nullptr)
    {
        resize(rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            series[i] = SeriesData{names.value(i), {}, {}};
            series[i].xs.reserve(rows.at(i).size());
            series[i].ys.reserve(rows.at(i).size());
            for (const auto &point : rows.at(i)) {
                series[i].xs.append(x ? x(point.first) : point.first);
                series[i].ys.append(point.second);
            }
        }
    }

private:
    void resize(int count)
    {
        while (series.size() < count)
            series.append(SeriesData());
    }
};

} // namespace KzChartHost

#endif // KZCHARTDATA_H
