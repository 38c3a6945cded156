#include "kzchartbounds.h"

#include <algorithm>

namespace KzChartHost {

int categoryBound(int labelCount)
{
    return labelCount > 0 ? labelCount : unlabelledCategoryLimit;
}

int dropUncategorizedPoints(QList<QPair<double, double>> &points, int labelCount)
{
    const double bound = categoryBound(labelCount);
    // A NaN x fails both comparisons and stays.
    const auto uncategorized = [bound](const QPair<double, double> &point) {
        return point.first <= -1 || point.first >= bound;
    };
    // Looked for first without touching the list, which would copy a shared one.
    const int first = int(std::find_if(points.cbegin(), points.cend(), uncategorized) - points.cbegin());
    if (first == points.size())
        return 0;
    const auto end = std::remove_if(points.begin() + first, points.end(), uncategorized);
    const int dropped = int(points.end() - end);
    points.erase(end, points.end());
    return dropped;
}

QString uncategorizedWarning(int dropped, int labelCount)
{
    return QStringLiteral("%1 points left out: over categories a point's x is the index of a label, 0 to %2")
            .arg(dropped)
            .arg(categoryBound(labelCount) - 1);
}

} // namespace KzChartHost
