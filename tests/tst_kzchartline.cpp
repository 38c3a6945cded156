#include "chartchecks.h"

#include <kzchartline.h>


using Points = QList<QList<QPair<double, double>>>;

// Drives KzChartLine through its real page: the calls the page received and
// real clicks and double-clicks.
class tst_KzChartLine : public ChartTestOf<KzChartLine>
{
    Q_OBJECT

public:
    tst_KzChartLine() : ChartTestOf({"setChartOption", "setToolTipFlag"}) {}

private Q_SLOTS:
    void fragments_data()
    {
        const double nan = qQNaN(), inf = qInf();
        addCommonRows();
        addRow("labels", [](KzChartLine *c) { c->setCategories({"Jan"}, false, 2); c->setCategories({}, true, -1); },
               R"([{"xAxis": [{"type": "category", "data": ["Jan"], "axisLine": {"onZero": false},
                               "axisLabel": {"interval": 2}}]},
                   {"xAxis": [{"type": "category", "data": [], "axisLine": {"onZero": true},
                               "axisLabel": {"interval": -1}}]}])");
        addRow("numbers", [](KzChartLine *c) { c->setCategories(-5, 120, 5, 2.5); },
               R"([{"xAxis": [{"type": "value", "min": -5, "max": 120, "splitNumber": 5, "minInterval": 2.5}]}])");
        addRow("grid", [](KzChartLine *c) { c->setGrid("15%", true); c->setGrid("9%", false); },
               R"([{"grid": [{"bottom": "15%", "containLabel": true}]},
                   {"grid": [{"bottom": "9%", "containLabel": false}]}])");
        addRow("values", [](KzChartLine *c) { c->setValues(false, true); c->setValues(true, false); },
               R"([{"yAxis": [{"type": "value", "boundaryGap": false, "inverse": true}]},
                   {"yAxis": [{"type": "value", "boundaryGap": true, "inverse": false}]}])");
        addRow("value range", [](KzChartLine *c) { c->setValueRange(-1.5, 99.25, 4, 0.5); },
               R"([{"yAxis": [{"min": -1.5, "max": 99.25, "splitNumber": 4, "minInterval": 0.5}]}])");
        addRow("tooltip", [](KzChartLine *c) { c->setToolTip(-1); c->setToolTip(2); },
               R"([{"setToolTipFlag": [-1]}, {"tooltip": [{"trigger": "item"}]},
                   {"setToolTipFlag": [2]}, {"tooltip": [{"trigger": "item"}]}])");
        // Only the two x-axis components carry "y".
        const QString zoom = R"({"dataZoom": [
            {"type": "slider", "xAxisIndex": 0, "filterMode": "empty", "y": "90%", "show": %1},
            {"type": "slider", "yAxisIndex": 0, "filterMode": "empty", "show": %1},
            {"type": "inside", "xAxisIndex": 0, "filterMode": "empty", "y": "90%", "show": %1},
            {"type": "inside", "yAxisIndex": 0, "filterMode": "empty", "show": %1}]})";
        addRow("zoom", [](KzChartLine *c) { c->setDataZoom(true); c->setDataZoom(false); },
               ("[" + zoom.arg("true") + "," + zoom.arg("false") + "]").toUtf8());
        // Rows of unequal length go as they are; fewer rows than names are
        // refused, with a warning, in every form.
        addRow("rows per legend", [](KzChartLine *c) {
            c->setLegends({"A", "B", "C"}, "5%");
            for (int form = 0; form < 3; ++form)
                expectRefusal("setDatas");
            c->setDatas(Ints{{1}, {2}});
            c->setDatas(Reals{{1.5}, {2.5}});
            c->setDatas(Points{{{1, 1}}, {{2, 2}}});
            c->setDatas(Ints{{1, 2, 3}, {4}, {}});
            c->setDatas(Reals{{0.5, -1.25}, {1e-7}, {3}});
        }, R"([{"legend": [{"y": "5%", "data": ["A", "B", "C"]}]},
               {"series": [{"name": "A", "type": "line", "data": [1, 2, 3]},
                           {"name": "B", "type": "line", "data": [4]}, {"name": "C", "type": "line", "data": []}]},
               {"series": [{"name": "A", "type": "line", "data": [0.5, -1.25]},
                           {"name": "B", "type": "line", "data": [1e-7]},
                           {"name": "C", "type": "line", "data": [3]}]}])");
        // x truncates toward zero and is clamped to the 32-bit range, right
        // at its ends; a NaN goes as null.
        addRow("points", [=](KzChartLine *c) {
            c->setCategories(0, 10, 5, 1);
            c->setLegends({"P", "Q"}, "bottom");
            c->setDatas(Points{{{2.9, 1.5}, {-2.9, -0.25}, {nan, 10}, {4, nan}},
                               {{2147483647.9, 1}, {2147483648.0, 2}, {-2147483648.9, 3}, {-2147483649.0, 4},
                                {inf, 5}, {-inf, 6}}});
        }, R"([{"xAxis": [{"type": "value", "min": 0, "max": 10, "splitNumber": 5, "minInterval": 1}]},
               {"legend": [{"y": "bottom", "data": ["P", "Q"]}]}, {"series": [
               {"name": "P", "type": "line", "symbolSize": 10,
                "data": [[2, 1.5], [-2, -0.25], [null, 10], [4, null]]},
               {"name": "Q", "type": "line", "symbolSize": 10, "data": [[2147483647, 1], [2147483647, 2],
                [-2147483648, 3], [-2147483648, 4], [2147483647, 5], [-2147483648, 6]]}]}])");
        // Over categories a point's x is a label's index: the others stay
        // home, with a warning.
        addRow("points over categories", [=](KzChartLine *c) {
            c->setCategories({"a", "b", "c"}, true, 0);
            c->setLegends({"P"}, "bottom");
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setDatas: 2 points left out.* 0 to 2$"));
            c->setDatas(Points{{{0, 1}, {2.5, 2}, {3, 3}, {-1, 4}, {nan, 5}}});
        }, R"([{"xAxis": [{"type": "category", "data": ["a", "b", "c"], "axisLine": {"onZero": true},
                           "axisLabel": {"interval": 0}}]},
               {"legend": [{"y": "bottom", "data": ["P"]}]}, {"series": [
               {"name": "P", "type": "line", "symbolSize": 10, "data": [[0, 1], [2, 2], [null, 5]]}]}])");
    }

    void clicks()
    {
        // Regression: ECharts rebuilds an axis whose type changes, which lost
        // the label clicks after the axis had been numeric.
        m_probe->disableAnimation();
        chart()->setCategories(0, 10, 5, 1);
        chart()->setCategories({"一月", "Feb", "Mar"}, true, 0);
        chart()->setLegends({"A", "B"}, "bottom");
        chart()->setDatas(Ints{{5, 9, 7}, {2, 3, 4}});
        QSignalSpy categories(chart(), &KzChartLine::categoryClicked);
        QSignalSpy points(chart(), &KzChartLine::seriesClicked);
        QPoint label;
        QTRY_VERIFY(!(label = m_probe->textPoint("一月")).isNull());
        m_probe->click(label);
        QTRY_COMPARE(QList<QVariantList>(categories), QList<QVariantList>({{"一月"}}));

        // A double-click on a point reports its category label, not the
        // series; the empty plot area and an axis label report nothing, as
        // the point after them proves.
        const QString pointOf = "myChart.getModel().getSeriesByIndex(%1).getData().getItemLayout(%2)";
        m_probe->doubleClick(m_probe->viewPoint(pointOf.arg(1).arg(1)));
        QVERIFY(points.wait());
        m_probe->doubleClick(m_probe->viewPoint("myChart.convertToPixel({gridIndex: 0}, [1, 7])"));
        m_probe->doubleClick(m_probe->textPoint("Mar"));
        m_probe->doubleClick(m_probe->viewPoint(pointOf.arg(0).arg(0)));
        QTRY_COMPARE(QList<QVariantList>(points), QList<QVariantList>({{"Feb"}, {"一月"}}));
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartLine)
#include "tst_kzchartline.moc"
