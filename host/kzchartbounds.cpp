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
    const int before = points.size();
    points.erase(std::remove_if(points.begin(), points.end(), uncategorized), points.end());
    return before - int(points.size());
}

} // namespace KzChartHost
