#ifndef KZCHARTJSON_H
#define KZCHARTJSON_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// Builders for the option fragments that the widgets send to their pages.
// Each returns a new value and keeps nothing; numbers stay JSON numbers.
namespace KzChartHost {

QJsonArray getJsonArray(const QList<int> &values);
QJsonArray getJsonArray(const QList<double> &values);
QJsonArray getJsonArray(const QStringList &values);
QJsonArray getJsonArray(const QList<QJsonObject> &values);

QJsonObject getJsonObject(const QString &key, const QJsonArray &value);
QJsonObject getJsonObject(const QString &key, const QJsonObject &value);
QJsonObject getJsonObject(const QString &key, const QString &value);
QJsonObject getJsonObject(const QString &key, bool value);

// Compact JSON text: it is written straight into a script call, so the page
// receives an object literal rather than a string.
QString getJsonString(const QJsonObject &object);

// {key: [component]}: a component sent as a one-element array, which the page
// merges into the component with index 0.
QJsonObject getJsonArrayObject(const QString &key, const QJsonObject &component);

// Each row of plain numbers as a JSON array, in row order.
template <typename T>
QList<QJsonArray> getJsonRows(const QList<QList<T>> &rows)
{
    QList<QJsonArray> result;
    for (const QList<T> &row : rows)
        result.append(getJsonArray(row));
    return result;
}

// One series object per row: "name" names[i], "type" type, "data" rows[i],
// plus the members of extra. The caller has checked that the counts match.
QJsonArray getSeriesArray(const QStringList &names, const QString &type,
                          const QList<QJsonArray> &rows, const QJsonObject &extra = QJsonObject());

// The axis objects that the line charts share.
// {"min", "max", "splitNumber", "minInterval"}: the range of a value axis,
// with whole-number bounds for an x axis and fractional ones for a y axis.
template <typename Bound>
QJsonObject getRangeAxis(Bound min, Bound max, int splitNumber, double minInterval)
{
    QJsonObject axis;
    axis.insert(QStringLiteral("min"), min);
    axis.insert(QStringLiteral("max"), max);
    axis.insert(QStringLiteral("splitNumber"), splitNumber);
    axis.insert(QStringLiteral("minInterval"), minInterval);
    return axis;
}
// {"type": "value", "boundaryGap", "inverse"}
QJsonObject getValueAxis(bool bBoundaryGap, bool bInverse);
// {"type": "category", "data", "axisLine": {"onZero"}, "axisLabel": {"interval"}}
QJsonObject getCategoryAxis(const QStringList &categories, bool bOnZero, int interval);

// One {"name": names[i], "value": values[i]} object per value, in order: the
// data of a pie series. The caller has checked that the counts match.
QJsonArray getSliceArray(const QStringList &names, const QList<int> &values);

} // namespace KzChartHost

#endif // KZCHARTJSON_H
