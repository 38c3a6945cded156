#ifndef KZCHARTJSON_H
#define KZCHARTJSON_H

#include "kzchartjsonwriter.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Builders for the option fragments that the widgets send to their pages,
// and writers for their large parts (series data, labels), which go to text
// directly. Each keeps nothing; numbers stay JSON numbers.
namespace KzChartHost {

QJsonArray getJsonArray(const QStringList &values);
QJsonArray getJsonArray(const QList<QJsonObject> &values);

QJsonObject getJsonObject(const QString &key, const QJsonArray &value);
QJsonObject getJsonObject(const QString &key, const QJsonObject &value);
QJsonObject getJsonObject(const QString &key, const QString &value);
QJsonObject getJsonObject(const QString &key, bool value);

// Compact JSON text: it is written straight into a script call, so the page
// receives an object literal rather than a string. The text is exactly what
// QJsonDocument::toJson(QJsonDocument::Compact) would make of object.
QString getJsonString(const QJsonObject &object);

// {key: [component]}: a component sent as a one-element array, which the page
// merges into the component with index 0.
QJsonObject getJsonArrayObject(const QString &key, const QJsonObject &component);

// [items[0] + {"data": <row 0>}, ...]: series objects whose data arrays are
// written straight from the caller's lists by writeData(writer, i), without
// building JSON values for every point. An item must not hold "data" itself.
void writeSeriesArray(JsonWriter &writer, const QList<QJsonObject> &items,
                      const std::function<void(JsonWriter &, int)> &writeData);

// {"series": [...]}, one series object per row: "name" names[i], "type" type,
// "data" written by writeData(writer, i), plus the members of extra.
// The caller has checked that the counts match.
Fragment getSeriesFragment(const QStringList &names, const QString &type,
                           const std::function<void(JsonWriter &, int)> &writeData,
                           const QJsonObject &extra = QJsonObject());
// The same with rows of plain numbers as the data.
template <typename T>
Fragment getSeriesFragment(const QStringList &names, const QString &type, const QList<QList<T>> &rows,
                           const QJsonObject &extra = QJsonObject())
{
    return getSeriesFragment(
            names, type, [&rows](JsonWriter &writer, int row) { writer.writeNumbers(rows.at(row)); }, extra);
}

// The data of one line series: [v, ...] or [[x, y], ...], with x(point.first)
// as the x values when x is given (NaN is written as null). A series of more
// than longSeries points, which the line pages draw reduced
// (largeseries.js), goes as an attachment of the writer when the pages can
// fetch one: {"attachment": id, "pairs": bool}, the doubles of the x values
// (for pairs) followed by those of the y values.
constexpr int longSeries = 5000;
void writeLineData(JsonWriter &writer, const QList<double> &values);
void writeLineData(JsonWriter &writer, const QList<int> &values);
void writeLineData(JsonWriter &writer, const QList<QPair<double, double>> &points, double (*x)(double) = nullptr);

// [component + {"data": labels}], the labels written straight from the list:
// a category axis of 100k labels is not built as JSON values first.
// component must not hold "data" itself.
void writeLabelledComponent(JsonWriter &writer, const QJsonObject &component, const QStringList &labels);
// {key: [component + {"data": labels}]} as the page's text.
QString getLabelledComponentString(const QString &key, const QJsonObject &component, const QStringList &labels);

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

} // namespace KzChartHost

#endif // KZCHARTJSON_H
