#ifndef KZCHARTFRAGMENTS_H
#define KZCHARTFRAGMENTS_H

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The option fragments of setters that several chart widgets have in common.
namespace KzChartHost {

QJsonObject titleFragment(const QString &text);
QJsonObject subTitleFragment(const QString &subtext);
QJsonObject colorsFragment(const QStringList &colors);
QJsonObject toolBackFragment(bool visible);

// {"legend":[{"data": legends}]} with "selectedMode" false only when the
// legend must not be selectable: without the key the legend keeps the mode
// it has. The second form also sets the legend's visibility.
QJsonObject selectableLegendFragment(const QStringList &legends, bool bSelectable);
QJsonObject selectableLegendFragment(const QStringList &legends, bool bShow, bool bSelectable);

// The series of a pie or donut page, which holds exactly one series: its
// slices named by position, {"series":[{"data":[{"name", "value"}...]}]} as
// text (a chart may get very many slices), and its name.
QString slicesString(const QStringList &names, const QList<int> &values);
QJsonObject seriesNameFragment(const QString &name);

} // namespace KzChartHost

#endif // KZCHARTFRAGMENTS_H
