#ifndef KZCHARTBOUNDS_H
#define KZCHARTBOUNDS_H

#include <QList>
#include <QPair>
#include <QString>

// What the host leaves out of a call so that the call costs the page no more
// than what it can draw. The pages bound every option themselves (their
// option guard in page.html.in applies the same rules), so these functions
// change nothing on the chart: they let a widget tell the host what went.
// Each returns the number of items it left out and logs nothing; the caller
// warns.
namespace KzChartHost {

// On a category axis the x of a point is the index of a label. An axis
// without labels makes a category of every index up to the greatest x that
// a series names, which for an x of 2^31 (a timestamp sent where an index
// belongs) freezes the page; such an axis takes indexes below this bound.
constexpr int unlabelledCategoryLimit = 1000000;

// The number of categories that points may address on a category axis with
// labelCount labels: the labels, or unlabelledCategoryLimit without any.
int categoryBound(int labelCount);

// Removes the points whose x names no category of a category axis with
// labelCount labels: those whose x, truncated toward zero, lies outside
// [0, categoryBound(labelCount)). A point with a NaN x (a gap in the line)
// stays. Returns how many points went.
int dropUncategorizedPoints(QList<QPair<double, double>> &points, int labelCount);

// What a widget warns when dropUncategorizedPoints() left dropped points out.
QString uncategorizedWarning(int dropped, int labelCount);

// The same for every list of points in lines (a list of rows, a map of
// named lines), in total.
template <typename Lines>
int dropUncategorizedPoints(Lines &lines, int labelCount)
{
    int dropped = 0;
    for (auto &points : lines)
        dropped += dropUncategorizedPoints(points, labelCount);
    return dropped;
}

} // namespace KzChartHost

#endif // KZCHARTBOUNDS_H
