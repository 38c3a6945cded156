#include "kzchartjson.h"
#include "kzchartattachments.h"

#include <algorithm>

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

// The attachment of a series of count points whose doubles fill() writes,
// written as the data, or false when the series goes as text.
template <typename Fill>
bool writeAttachment(JsonWriter &writer, int count, bool pairs, Fill fill)
{
    if (count <= longSeries || !attachmentsAvailable())
        return false;
    QByteArray doubles(count * (pairs ? 2 : 1) * int(sizeof(double)), Qt::Uninitialized);
    fill(reinterpret_cast<double *>(doubles.data()));
    writer.writeRaw(QLatin1String("{\"attachment\":"));
    writer.writeString(writer.attach(doubles));
    writer.writeRaw(pairs ? QLatin1String(",\"pairs\":true}") : QLatin1String(",\"pairs\":false}"));
    return true;
}

template <typename Number>
void writeValues(JsonWriter &writer, const QList<Number> &values)
{
    const auto fill = [&values](double *out) { std::copy(values.begin(), values.end(), out); };
    if (!writeAttachment(writer, values.size(), false, fill))
        writer.writeNumbers(values);
}

} // namespace

void writeLineData(JsonWriter &writer, const QList<double> &values)
{
    writeValues(writer, values);
}

void writeLineData(JsonWriter &writer, const QList<int> &values)
{
    writeValues(writer, values);
}

void writeLineData(JsonWriter &writer, const QList<QPair<double, double>> &points, double (*x)(double))
{
    const auto xOf = [x](double value) { return x ? x(value) : value; };
    const auto fill = [&](double *out) {
        for (int i = 0; i < points.size(); ++i) {
            out[i] = xOf(points.at(i).first);
            out[points.size() + i] = points.at(i).second;
        }
    };
    if (writeAttachment(writer, points.size(), true, fill))
        return;
    writer.writeArray(points, [&xOf](JsonWriter &w, const QPair<double, double> &point) {
        w.writeRaw(QLatin1String("["));
        w.writeNumber(xOf(point.first));
        w.writeRaw(QLatin1String(","));
        w.writeNumber(point.second);
        w.writeRaw(QLatin1String("]"));
    });
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
    JsonWriter writer;
    writer.writeObject(object);
    return writer.text();
}

QJsonObject getJsonArrayObject(const QString &key, const QJsonObject &component)
{
    return getJsonObject(key, getJsonArray(QList<QJsonObject>{component}));
}

void writeSeriesArray(JsonWriter &writer, const QList<QJsonObject> &items,
                      const std::function<void(JsonWriter &, int)> &writeData)
{
    writer.writeRaw(QLatin1String("["));
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0)
            writer.writeRaw(QLatin1String(","));
        writer.writeObject(items.at(i), {{QStringLiteral("data"), [&](JsonWriter &w) { writeData(w, i); }}});
    }
    writer.writeRaw(QLatin1String("]"));
}

Fragment getSeriesFragment(const QStringList &names, const QString &type,
                           const std::function<void(JsonWriter &, int)> &writeData, const QJsonObject &extra)
{
    QList<QJsonObject> items;
    for (const QString &name : names) {
        QJsonObject item = extra;
        item.insert(QStringLiteral("name"), name);
        item.insert(QStringLiteral("type"), type);
        items.append(item);
    }
    JsonWriter writer;
    writer.writeObject(QJsonObject(), {{QStringLiteral("series"), [&](JsonWriter &w) {
                                            writeSeriesArray(w, items, writeData);
                                        }}});
    return writer.fragment();
}

void writeLabelledComponent(JsonWriter &writer, const QJsonObject &component, const QStringList &labels)
{
    writer.writeRaw(QLatin1String("["));
    writer.writeObject(component, {{QStringLiteral("data"), [&labels](JsonWriter &w) { w.writeStrings(labels); }}});
    writer.writeRaw(QLatin1String("]"));
}

QString getLabelledComponentString(const QString &key, const QJsonObject &component, const QStringList &labels)
{
    JsonWriter writer;
    writer.writeObject(QJsonObject(), {{key, [&](JsonWriter &w) { writeLabelledComponent(w, component, labels); }}});
    return writer.text();
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

} // namespace KzChartHost
