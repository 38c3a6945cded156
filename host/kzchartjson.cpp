#include "kzchartjson.h"

#include <QJsonDocument>

namespace KzChartHost {

namespace {

template <typename T>
QJsonArray toJsonArray(const QList<T> &values)
{
    QJsonArray array;
    for (const T &value : values)
        array.append(value);
    return array;
}

} // namespace

QJsonArray getJsonArray(const QList<int> &values)
{
    return toJsonArray(values);
}

QJsonArray getJsonArray(const QList<double> &values)
{
    return toJsonArray(values);
}

QJsonArray getJsonArray(const QStringList &values)
{
    return toJsonArray<QString>(values);
}

QJsonArray getJsonArray(const QList<QJsonObject> &values)
{
    return toJsonArray(values);
}

QJsonObject getJsonObject(const QString &key, const QJsonArray &value)
{
    return QJsonObject{{key, value}};
}

QJsonObject getJsonObject(const QString &key, const QJsonObject &value)
{
    return QJsonObject{{key, value}};
}

QJsonObject getJsonObject(const QString &key, const QString &value)
{
    return QJsonObject{{key, value}};
}

QJsonObject getJsonObject(const QString &key, bool value)
{
    return QJsonObject{{key, value}};
}

QString getJsonString(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonObject getJsonArrayObject(const QString &key, const QJsonObject &component)
{
    return getJsonObject(key, getJsonArray(QList<QJsonObject>{component}));
}

QJsonArray getSeriesArray(const QStringList &names, const QString &type,
                          const QList<QJsonArray> &rows, const QJsonObject &extra)
{
    QList<QJsonObject> series;
    for (int i = 0; i < rows.size(); ++i) {
        QJsonObject item = extra;
        item.insert(QStringLiteral("name"), names.at(i));
        item.insert(QStringLiteral("type"), type);
        item.insert(QStringLiteral("data"), rows.at(i));
        series.append(item);
    }
    return getJsonArray(series);
}

QJsonObject getValueAxis(bool bBoundaryGap, bool bInverse)
{
    QJsonObject axis;
    axis.insert(QStringLiteral("type"), QStringLiteral("value"));
    axis.insert(QStringLiteral("boundaryGap"), bBoundaryGap);
    axis.insert(QStringLiteral("inverse"), bInverse);
    return axis;
}

QJsonObject getCategoryAxis(const QStringList &categories, bool bOnZero, int interval)
{
    QJsonObject axis;
    axis.insert(QStringLiteral("type"), QStringLiteral("category"));
    axis.insert(QStringLiteral("data"), getJsonArray(categories));
    axis.insert(QStringLiteral("axisLine"), getJsonObject(QStringLiteral("onZero"), bOnZero));
    axis.insert(QStringLiteral("axisLabel"), QJsonObject{{QStringLiteral("interval"), interval}});
    return axis;
}

QJsonArray getSliceArray(const QStringList &names, const QList<int> &values)
{
    QList<QJsonObject> slices;
    for (int i = 0; i < values.size(); ++i) {
        QJsonObject slice;
        slice.insert(QStringLiteral("name"), names.at(i));
        slice.insert(QStringLiteral("value"), values.at(i));
        slices.append(slice);
    }
    return getJsonArray(slices);
}

} // namespace KzChartHost
