#include <kzchartbounds.h>

#include <QMap>
#include <QTest>

#include <climits>

using Points = QList<QPair<double, double>>;

// The points that the host leaves out over categories, with labels and
// without: x names a category by its whole number toward zero; NaN is a gap.
class tst_Bounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropUncategorizedPoints()
    {
        Points four{{-1, 1}, {-0.5, 2}, {3.9, 3}, {4, 4}, {INT_MAX, 5}, {qInf(), 6}, {-qInf(), 7}, {qQNaN(), 8}};
        QCOMPARE(KzChartHost::dropUncategorizedPoints(four, 4), 5);
        QCOMPARE(four.mid(0, 2), Points({{-0.5, 2}, {3.9, 3}}));
        QVERIFY(four.size() == 3 && qIsNaN(four.at(2).first));
        QMap<int, Points> unlabelled{{0, {{0, 1}, {999999.5, 2}, {1e6, 3}, {1e308, 4}}}, {1, {{-2, 0}}}};
        QCOMPARE(KzChartHost::dropUncategorizedPoints(unlabelled, 0), 3);
        QCOMPARE(unlabelled[0], Points({{0, 1}, {999999.5, 2}}));
        // A list that keeps every point is left shared, not copied.
        const Points kept = unlabelled[0];
        QCOMPARE(KzChartHost::dropUncategorizedPoints(unlabelled[0], 0), 0);
        QVERIFY(unlabelled[0].isSharedWith(kept));
    }
};

QTEST_GUILESS_MAIN(tst_Bounds)
#include "tst_bounds.moc"
