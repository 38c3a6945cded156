#include <kzchartbounds.h>

#include <QMap>
#include <QTest>

#include <climits>

using Points = QList<QPair<double, double>>;
Q_DECLARE_METATYPE(Points)

// NaN never equals itself: points are compared as text.
static QString text(const Points &points)
{
    QStringList pairs;
    for (const auto &point : points)
        pairs.append(QString::number(point.first) + ' ' + QString::number(point.second));
    return pairs.join(", ");
}

// The points that the host leaves out on a category axis, with and without labels.
class tst_Bounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropUncategorizedPoints_data()
    {
        QTest::addColumn<Points>("points");
        QTest::addColumn<int>("labels");
        QTest::addColumn<Points>("kept");
        const double nan = qQNaN(), inf = qInf();
        // x truncates toward zero onto an index: -0.5 is 0, 3.9 is 3.
        QTest::newRow("four labels") << Points{{-1, 1}, {-0.5, 2}, {0, 3}, {3.9, 4}, {4, 5}, {INT_MAX, 6}, {inf, 7},
                                               {-inf, 8}, {nan, 9}}
                                     << 4 << Points{{-0.5, 2}, {0, 3}, {3.9, 4}, {nan, 9}};
        QTest::newRow("no labels") << Points{{0, 1}, {999999.5, 2}, {1e6, 3}, {1e8, 4}, {INT_MAX, 5}, {1e308, 6}} << 0
                                   << Points{{0, 1}, {999999.5, 2}};
        QTest::newRow("all kept") << Points{{0, 1}, {1, nan}} << 2 << Points{{0, 1}, {1, nan}};
    }

    void dropUncategorizedPoints()
    {
        QFETCH(Points, points);
        QFETCH(int, labels);
        QFETCH(Points, kept);
        // Once alone, once as one line of two in a map.
        QMap<QString, Points> lines{{"a", points}, {"b", {{-2, 0}}}};
        const int dropped = points.size() - kept.size();
        QCOMPARE(KzChartHost::dropUncategorizedPoints(points, labels), dropped);
        QCOMPARE(text(points), text(kept));
        QCOMPARE(KzChartHost::dropUncategorizedPoints(lines, labels), dropped + 1);
        QCOMPARE(text(lines["a"]), text(kept));
    }
};

QTEST_GUILESS_MAIN(tst_Bounds)
#include "tst_bounds.moc"
