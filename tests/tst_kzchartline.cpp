#include "chartprobe.h"

#include <kzchartline.h>

#include <QApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

using Points = QList<QList<QPair<double, double>>>;

// Drives KzChartLine through its real page: fragments as the page received
// them, the merged option, what is drawn, and real mouse input.
class tst_KzChartLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void axesAndGrid();
    void datasAndLegends();
    void pointDatas();
    void toolTip();
    void dataZoom();
    void categoryClick();
    void pointDoubleClick();
    void relaySlots();

private:
    void showMonths();

    KzChartLine *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
};

void tst_KzChartLine::init()
{
    m_chart = new KzChartLine;
    m_chart->resize(800, 500);
    m_chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chart));
    m_probe = new ChartProbe(m_chart);
    QVERIFY(m_probe->attach({QStringLiteral("setChartOption"), QStringLiteral("setToolTipFlag")}));
}

void tst_KzChartLine::cleanup()
{
    delete m_probe;
    delete m_chart;
}

// Three months, two series, no animation: geometry is final at once.
void tst_KzChartLine::showMonths()
{
    m_probe->disableAnimation();
    m_chart->setCategories({QStringLiteral("一月"), QStringLiteral("Feb"), QStringLiteral("Mar")}, true, 0);
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("bottom"));
    m_chart->setDatas(QList<QList<int>>{{5, 9, 7}, {2, 3, 4}});
    QTRY_COMPARE(m_probe->option().value("series").toArray().size(), 2);
    // Later checks of fragments start after these three.
    for (int call = 0; call < 3; ++call)
        m_probe->nextFragment();
}

void tst_KzChartLine::axesAndGrid()
{
    m_chart->setTitle(QStringLiteral("温度 \"%1\" 100%"));
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"title", QJsonObject{{"text", "温度 \"%1\" 100%"}}}}));
    m_chart->setSubTitle(QStringLiteral("℃"));
    QCOMPARE(m_probe->nextFragment(), json(R"({"title": {"subtext": "℃"}})"));
    m_chart->setColors({QStringLiteral("#c23531"), QStringLiteral("teal")});
    QCOMPARE(m_probe->nextFragment(), json(R"({"color": ["#c23531", "teal"]})"));

    m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb")}, false, 2);
    QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": [{"type": "category", "data": ["Jan", "Feb"],
                                                "axisLine": {"onZero": false}, "axisLabel": {"interval": 2}}]})"));
    // Without labels the axis line and label settings still go.
    m_chart->setCategories({}, true, -1);
    QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": [{"type": "category", "data": [],
                                                "axisLine": {"onZero": true}, "axisLabel": {"interval": -1}}]})"));
    m_chart->setCategories(-5, 120, 5, 2.5);
    QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": [{"type": "value", "min": -5, "max": 120,
                                                "splitNumber": 5, "minInterval": 2.5}]})"));

    m_chart->setGrid(QStringLiteral("15%"), true);
    QCOMPARE(m_probe->nextFragment(), json(R"({"grid": [{"bottom": "15%", "containLabel": true}]})"));

    m_chart->setValues(false, true);
    QCOMPARE(m_probe->nextFragment(), json(R"({"yAxis": [{"type": "value", "boundaryGap": false, "inverse": true}]})"));
    m_chart->setValueRange(-1.5, 99.25, 4, 0.5);
    QCOMPARE(m_probe->nextFragment(), json(R"({"yAxis": [{"min": -1.5, "max": 99.25, "splitNumber": 4,
                                                "minInterval": 0.5}]})"));
    // The range merges into the axis that setValues made.
    QCOMPARE(m_probe->option().value("yAxis")[0]["inverse"], QJsonValue(true));
}

void tst_KzChartLine::datasAndLegends()
{
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, QStringLiteral("5%"));
    QCOMPARE(m_probe->nextFragment(), json(R"({"legend": [{"y": "5%", "data": ["A", "B", "C"]}]})"));
    // Rows of unequal length go as they are, named in order.
    m_chart->setDatas(QList<QList<int>>{{1, 2, 3}, {4}, {}});
    QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "A", "type": "line", "data": [1, 2, 3]},
            {"name": "B", "type": "line", "data": [4]}, {"name": "C", "type": "line", "data": []}]})"));
    m_chart->setDatas(QList<QList<double>>{{0.5, -1.25}, {1e-7}, {3}});
    QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "A", "type": "line", "data": [0.5, -1.25]},
            {"name": "B", "type": "line", "data": [1e-7]}, {"name": "C", "type": "line", "data": [3]}]})"));

    // Fewer series than names: refused, in every form.
    m_chart->setDatas(QList<QList<int>>{{1}, {2}});
    m_chart->setDatas(QList<QList<double>>{{1.5}, {2.5}});
    m_chart->setDatas(Points{{{1, 1}}, {{2, 2}}});
    // An empty list replaces the names too; then more series than names are refused.
    m_chart->setLegends({}, QStringLiteral("bottom"));
    QCOMPARE(m_probe->nextFragment(), json(R"({"legend": [{"y": "bottom", "data": []}]})"));
    m_chart->setDatas(QList<QList<int>>{{1}, {2}, {3}});
    m_chart->setDatas(QList<QList<double>>{});
    QCOMPARE(m_probe->nextFragment(), json(R"({"series": []})"));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 5);
}

void tst_KzChartLine::pointDatas()
{
    const double nan = qQNaN(), inf = qInf();
    const QStringList errorsBefore = ChartProbe::consoleErrors();
    m_probe->disableAnimation();
    m_chart->setCategories(-10, 10, 4, 1);
    m_chart->setLegends({QStringLiteral("P"), QStringLiteral("Q")}, QStringLiteral("bottom"));
    // x truncates toward zero and is clamped to the 32-bit range, right at
    // its ends; a NaN goes as null.
    m_chart->setDatas(Points{{{2.9, 1.5}, {-2.9, -0.25}, {nan, 10}, {4, nan}, {5, 11}},
                             {{2147483647.9, 1}, {2147483648.0, 2}, {-2147483648.9, 3}, {-2147483649.0, 4},
                              {inf, 5}, {-inf, 6}}});
    QCOMPARE(m_probe->waitForCalls(QStringLiteral("setChartOption"), 3).last()[0].toObject(), json(R"({"series": [
            {"name": "P", "type": "line", "symbolSize": 10,
             "data": [[2, 1.5], [-2, -0.25], [null, 10], [4, null], [5, 11]]},
            {"name": "Q", "type": "line", "symbolSize": 10,
             "data": [[2147483647, 1], [2147483647, 2], [-2147483648, 3], [-2147483648, 4],
                      [2147483647, 5], [-2147483648, 6]]}]})"));

    // The page skips the points with a null, draws the others, and raises no error.
    QTRY_COMPARE(m_probe->evalJson(QStringLiteral(
                         "(function (d, out) { for (var i = 0, p; i < d.count(); ++i) p = d.getItemLayout(i),"
                         " out.push(!!p && isFinite(p[0]) && isFinite(p[1])); return out;"
                         " })(myChart.getModel().getSeriesByIndex(0).getData(), [])")),
                 QJsonValue(QJsonArray{true, true, false, false, true}));
    QCOMPARE(ChartProbe::consoleErrors(), errorsBefore);
}

void tst_KzChartLine::toolTip()
{
    // A call of a missing function does leave an error for the check below.
    const int errorsBefore = ChartProbe::consoleErrors().size();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("kzNoSuchFunction is not defined")));
    m_probe->view()->page()->runJavaScript(QStringLiteral("kzNoSuchFunction(1)"));
    QTRY_COMPARE(ChartProbe::consoleErrors().size(), errorsBefore + 1);

    m_chart->setToolTip(-1);
    QCOMPARE(m_probe->nextFragment(), json(R"({"tooltip": [{"trigger": "item"}]})"));
    m_chart->setToolTip(2);
    QCOMPARE(m_probe->nextFragment(), json(R"({"tooltip": [{"trigger": "item"}]})"));
    // Each mode reaches the page before its tooltip fragment, without an error.
    QCOMPARE(m_probe->calls(QStringLiteral("setToolTipFlag")), QJsonArray({QJsonArray{-1}, QJsonArray{2}}));
    QCOMPARE(m_probe->callOrder(),
             QStringList({"setToolTipFlag", "setChartOption", "setToolTipFlag", "setChartOption"}));
    QCOMPARE(ChartProbe::consoleErrors().size(), errorsBefore + 1);
}

void tst_KzChartLine::dataZoom()
{
    showMonths();
    const auto grab = [this] { return m_probe->view()->grab().toImage(); };
    const QImage without = grab();
    // Only the two x-axis components carry "y".
    const QString zooms = QStringLiteral(R"({"dataZoom": [
            {"type": "slider", "xAxisIndex": 0, "filterMode": "empty", "y": "90%", "show": %1},
            {"type": "slider", "yAxisIndex": 0, "filterMode": "empty", "show": %1},
            {"type": "inside", "xAxisIndex": 0, "filterMode": "empty", "y": "90%", "show": %1},
            {"type": "inside", "yAxisIndex": 0, "filterMode": "empty", "show": %1}]})");

    m_chart->setDataZoom(true);
    QCOMPARE(m_probe->nextFragment(), json(zooms.arg("true")));
    QTRY_VERIFY(grab() != without);

    m_chart->setDataZoom(false);
    QCOMPARE(m_probe->nextFragment(), json(zooms.arg("false")));
    QCOMPARE(m_probe->evalJson(QStringLiteral("myChart.getOption().dataZoom.map(function (z) { return z.show; })")),
             QJsonValue(QJsonArray{false, false, false, false}));
    // Drawn as if there had never been a slider.
    QTRY_COMPARE(grab(), without);
}

void tst_KzChartLine::categoryClick()
{
    // Regression: ECharts rebuilds an axis whose type changes, which lost
    // the label clicks after the axis had been numeric.
    m_chart->setCategories(0, 10, 5, 1);
    showMonths();
    QSignalSpy categories(m_chart, &KzChartLine::categoryClicked);
    QPoint label;
    QTRY_VERIFY(!(label = m_probe->textPoint(QStringLiteral("一月"))).isNull());
    m_probe->click(label);
    QVERIFY(categories.wait());
    m_probe->click(m_probe->textPoint(QStringLiteral("Mar")));
    QVERIFY(categories.wait());
    QCOMPARE(QList<QVariantList>(categories), QList<QVariantList>({{QStringLiteral("一月")}, {QStringLiteral("Mar")}}));
}

void tst_KzChartLine::pointDoubleClick()
{
    showMonths();
    QSignalSpy points(m_chart, &KzChartLine::seriesClicked);
    const auto pointOf = [this](int seriesIndex, int dataIndex) {
        return m_probe->viewPoint(QStringLiteral("myChart.getModel().getSeriesByIndex(%1).getData().getItemLayout(%2)")
                                          .arg(seriesIndex).arg(dataIndex));
    };

    // The second point of series B carries its category label, not "B".
    m_probe->doubleClick(pointOf(1, 1));
    QVERIFY(points.wait());

    // Empty plot area and an axis label: nothing, as the point after them proves.
    m_probe->doubleClick(m_probe->viewPoint(QStringLiteral(
            "(function () { var r = myChart.getModel().getComponent('grid').coordinateSystem.getRect();"
            " return [r.x + r.width * 0.4, r.y + 5]; })()")));
    m_probe->doubleClick(m_probe->textPoint(QStringLiteral("Mar")));
    m_probe->doubleClick(pointOf(0, 0));
    QVERIFY(points.wait());
    QCOMPARE(QList<QVariantList>(points), QList<QVariantList>({{QStringLiteral("Feb")}, {QStringLiteral("一月")}}));
}

void tst_KzChartLine::relaySlots()
{
    QSignalSpy categories(m_chart, &KzChartLine::categoryClicked);
    QSignalSpy points(m_chart, &KzChartLine::seriesClicked);
    m_chart->clickedCategory(QStringLiteral("any % text"));
    m_chart->clickedSeries(QStringLiteral("点"));
    QCOMPARE(QList<QVariantList>(categories), QList<QVariantList>({{QStringLiteral("any % text")}}));
    QCOMPARE(QList<QVariantList>(points), QList<QVariantList>({{QStringLiteral("点")}}));
}

KZ_CHART_TEST_MAIN(tst_KzChartLine)
#include "tst_kzchartline.moc"
