#include "kzchartfragments.h"
#include "kzchartjson.h"

namespace KzChartHost {

QJsonObject titleFragment(const QString &text)
{
    return getJsonObject(QStringLiteral("title"), getJsonObject(QStringLiteral("text"), text));
}

QJsonObject subTitleFragment(const QString &subtext)
{
    return getJsonObject(QStringLiteral("title"), getJsonObject(QStringLiteral("subtext"), subtext));
}

QJsonObject colorsFragment(const QStringList &colors)
{
    return getJsonObject(QStringLiteral("color"), getJsonArray(colors));
}

QJsonObject toolBackFragment(bool visible)
{
    const QJsonObject button = getJsonObject(QStringLiteral("show"), visible);
    const QJsonObject feature = getJsonObject(QStringLiteral("myToolBack"), button);
    return getJsonObject(QStringLiteral("toolbox"),
                         getJsonObject(QStringLiteral("feature"), feature));
}

namespace {

QJsonObject legendComponent(const QStringList &legends, bool bSelectable)
{
    QJsonObject legend = getJsonObject(QStringLiteral("data"), getJsonArray(legends));
    if (!bSelectable)
        legend.insert(QStringLiteral("selectedMode"), false);
    return legend;
}

} // namespace

QJsonObject selectableLegendFragment(const QStringList &legends, bool bSelectable)
{
    return getJsonArrayObject(QStringLiteral("legend"), legendComponent(legends, bSelectable));
}

QJsonObject selectableLegendFragment(const QStringList &legends, bool bShow, bool bSelectable)
{
    QJsonObject legend = legendComponent(legends, bSelectable);
    legend.insert(QStringLiteral("show"), bShow);
    return getJsonArrayObject(QStringLiteral("legend"), legend);
}

QString slicesString(const QStringList &names, const QList<int> &values)
{
    JsonWriter writer;
    writer.writeRaw(QLatin1String("{\"series\":[{\"data\":"));
    int i = 0;
    writer.writeArray(values, [&](JsonWriter &slice, int value) {
        slice.writeRaw(QLatin1String("{\"name\":"));
        slice.writeString(names.at(i++));
        slice.writeRaw(QLatin1String(",\"value\":"));
        slice.writeNumber(value);
        slice.writeRaw(QLatin1String("}"));
    });
    writer.writeRaw(QLatin1String("}]}"));
    return writer.text();
}

QJsonObject seriesNameFragment(const QString &name)
{
    return getJsonArrayObject(QStringLiteral("series"), getJsonObject(QStringLiteral("name"), name));
}

} // namespace KzChartHost
