#include "chartprobe.h"

#include <kzchartline.h>

#include <QApplication>
#include <QImage>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include <cmath>
#include <limits>

namespace {

QJsonObject fragment(const QString &key, const QJsonValue &value)
{
    return QJsonObject{{key, value}};
}

// {key: [component]}
QJsonObject arrayFragment(const QString &key, const QJsonObject &component)
{
    return fragment(key, QJsonArray{component});
}

QJsonObject series(const QString &name, const QJsonArray &data)
{
    return QJsonObject{{"name", name}, {"type", "line"}, {"data", data}};
}

QJsonObject pointSeries(const QString &name, const QJsonArray &data)
{
    QJsonObject object = series(name, data);
    object.insert("symbolSize", 10);
    return object;
}

QJsonObject zoom(const QString &type, const QString &axisIndex, bool show)
{
    QJsonObject object{{"type", type}, {axisIndex, 0}, {"filterMode", "empty"}, {"show", show}};
    if (axisIndex == QLatin1String("xAxisIndex"))
        object.insert("y", "90%");
    return object;
}

QJsonObject zoomFragment(bool show)
{
    return fragment("dataZoom", QJsonArray{zoom("slider", "xAxisIndex", show), zoom("slider", "yAxisIndex", show),
                                           zoom("inside", "xAxisIndex", show), zoom("inside", "yAxisIndex", show)});
}

} // namespace

// Drives KzChartLine through its real page: fragments as the page received
// them, the merged chart option, what is drawn, and real mouse input.
class tst_KzChartLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void classShape();
    void baseOption();
    void commonSetters();
    void categories();
    void datas();
    void pointDatas();
    void pointsOutsideTheIntRange();
    void legendsReplaceRememberedNames();
    void grid();
    void toolTip();
    void dataZoom();
    void valueRangeKeepsAxisKind();
    void categoryClick();
    void pointDoubleClick();
    void relaySlots();

private:
    void showMonths();
    QJsonObject component(const QString &name, int index = 0);
    QImage grabChart();

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

QJsonObject tst_KzChartLine::component(const QString &name, int index)
{
    return m_probe->option().value(name).toArray().at(index).toObject();
}

QImage tst_KzChartLine::grabChart()
{
    return m_probe->view()->grab().toImage();
}

// Three months, two series, no animation: geometry is final at once.
void tst_KzChartLine::showMonths()
{
    m_probe->disableAnimation();
    m_chart->setCategories({QStringLiteral("一月"), QStringLiteral("Feb"), QStringLiteral("Mar")}, true, 0);
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("bottom"));
    m_chart->setDatas(QList<QList<int>>{{5, 9, 7}, {2, 3, 4}});
    QTRY_COMPARE(m_probe->option().value("series").toArray().size(), 2);
}

void tst_KzChartLine::classShape()
{
    const QMetaObject *meta = m_chart->metaObject();
    QCOMPARE(meta->className(), "KzChartLine");
    QCOMPARE(meta->superClass(), &QWidget::staticMetaObject);
    QStringList methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        methods.append(QString::fromLatin1(meta->method(i).methodSignature()));
    QCOMPARE(methods, QStringList({"categoryClicked(QString)", "seriesClicked(QString)",
                                   "clickedCategory(QString)", "clickedSeries(QString)"}));
    QCOMPARE(meta->method(meta->methodOffset()).methodType(), QMetaMethod::Signal);
    QCOMPARE(meta->method(meta->methodOffset() + 2).methodType(), QMetaMethod::Slot);
    QVERIFY(m_chart->isWindow());
    QCOMPARE(m_probe->view()->geometry(), m_chart->rect());
}

void tst_KzChartLine::baseOption()
{
    const QJsonObject option = m_probe->option();
    QCOMPARE(option.value("title").toArray().at(0).toObject().value("text").toString(), QString());
    QCOMPARE(option.value("tooltip").toArray().at(0).toObject().value("trigger").toString(), QStringLiteral("axis"));
    const QJsonObject legend = option.value("legend").toArray().at(0).toObject();
    QCOMPARE(legend.value("data").toArray(), QJsonArray());
    QCOMPARE(legend.value("type").toString(), QStringLiteral("scroll"));
    QCOMPARE(legend.value("y").toString(), QStringLiteral("bottom"));
    const QJsonObject axis = option.value("xAxis").toArray().at(0).toObject();
    QCOMPARE(axis.value("type").toString(), QStringLiteral("category"));
    QCOMPARE(axis.value("boundaryGap").toBool(), true);
    QCOMPARE(axis.value("triggerEvent").toBool(), true);
    QCOMPARE(axis.value("axisLine").toObject().value("onZero").toBool(), true);
    QCOMPARE(axis.value("axisLabel").toObject().value("interval").toInt(), 0);
    QCOMPARE(option.value("yAxis").toArray().at(0).toObject().value("type").toString(), QStringLiteral("value"));
    QCOMPARE(option.value("series").toArray(), QJsonArray());
    QVERIFY(!option.contains("toolbox") || option.value("toolbox").toArray().isEmpty());
}

void tst_KzChartLine::commonSetters()
{
    m_chart->setTitle(QStringLiteral("温度 \"%1\" 100%"));
    QCOMPARE(m_probe->nextFragment(), fragment("title", QJsonObject{{"text", "温度 \"%1\" 100%"}}));
    m_chart->setSubTitle(QStringLiteral("℃"));
    QCOMPARE(m_probe->nextFragment(), fragment("title", QJsonObject{{"subtext", "℃"}}));
    m_chart->setColors({QStringLiteral("#c23531"), QStringLiteral("teal")});
    QCOMPARE(m_probe->nextFragment(), fragment("color", QJsonArray{"#c23531", "teal"}));
    m_chart->setColors({});
    QCOMPARE(m_probe->nextFragment(), fragment("color", QJsonArray()));
    QCOMPARE(component("title").value("text").toString(), QStringLiteral("温度 \"%1\" 100%"));
}

void tst_KzChartLine::categories()
{
    m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb")}, false, 2);
    QCOMPARE(m_probe->nextFragment(), arrayFragment("xAxis", QJsonObject{
            {"type", "category"}, {"data", QJsonArray{"Jan", "Feb"}},
            {"axisLine", QJsonObject{{"onZero", false}}}, {"axisLabel", QJsonObject{{"interval", 2}}}}));
    // Merged: the label clicks of the base option stay.
    QCOMPARE(component("xAxis").value("triggerEvent").toBool(), true);
    QCOMPARE(component("xAxis").value("axisLine").toObject().value("onZero").toBool(), false);

    m_chart->setCategories({}, true, -1);
    QCOMPARE(m_probe->nextFragment(), arrayFragment("xAxis", QJsonObject{
            {"type", "category"}, {"data", QJsonArray()},
            {"axisLine", QJsonObject{{"onZero", true}}}, {"axisLabel", QJsonObject{{"interval", -1}}}}));

    // The numeric form: "type" value, whole-number bounds, no "data".
    m_chart->setCategories(-5, 120, 5, 2.5);
    const QJsonObject numeric = m_probe->nextFragment();
    QCOMPARE(numeric, arrayFragment("xAxis", QJsonObject{
            {"type", "value"}, {"min", -5}, {"max", 120}, {"splitNumber", 5}, {"minInterval", 2.5}}));
    QCOMPARE(component("xAxis").value("type").toString(), QStringLiteral("value"));
    QCOMPARE(component("xAxis").value("max").toInt(), 120);
}

void tst_KzChartLine::datas()
{
    // A fresh widget remembers no names: only an empty list passes.
    m_chart->setDatas(QList<QList<int>>{{1, 2}});
    m_chart->setDatas(QList<QList<double>>{{1.5}});
    m_chart->setDatas(QList<QList<int>>{});
    QCOMPARE(m_probe->nextFragment(), fragment("series", QJsonArray()));

    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("bottom"));
    m_probe->nextFragment();
    // Three series for two names: refused, in every form.
    m_chart->setDatas(QList<QList<int>>{{1}, {2}, {3}});
    m_chart->setDatas(QList<QList<double>>{{1.5}, {2.5}, {3.5}});
    m_chart->setDatas(QList<QList<QPair<double, double>>>{{{1, 1}}, {{2, 2}}, {{3, 3}}});
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, QStringLiteral("top"));
    m_probe->nextFragment();
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 3);

    // Rows of unequal length go as they are, named in order.
    m_chart->setDatas(QList<QList<int>>{{1, 2, 3}, {4}, {}});
    QCOMPARE(m_probe->nextFragment(),
             fragment("series", QJsonArray{series("A", QJsonArray{1, 2, 3}), series("B", QJsonArray{4}),
                                           series("C", QJsonArray())}));
    m_chart->setDatas(QList<QList<double>>{{0.5, -1.25}, {1e-7}, {3}});
    QCOMPARE(m_probe->nextFragment(),
             fragment("series", QJsonArray{series("A", QJsonArray{0.5, -1.25}), series("B", QJsonArray{1e-7}),
                                           series("C", QJsonArray{3})}));
    QCOMPARE(component("series", 1).value("data").toArray(), QJsonArray{1e-7});
}

void tst_KzChartLine::pointDatas()
{
    m_chart->setLegends({QStringLiteral("P"), QStringLiteral("Q")}, QStringLiteral("bottom"));
    m_probe->nextFragment();
    m_chart->setDatas(QList<QList<QPair<double, double>>>{
            {{2.9, 1.5}, {-2.9, 1.5}, {0.99, -0.25}}, {{-0.5, 7}}});
    QCOMPARE(m_probe->nextFragment(),
             fragment("series", QJsonArray{
                     pointSeries("P", QJsonArray{QJsonArray{2, 1.5}, QJsonArray{-2, 1.5}, QJsonArray{0, -0.25}}),
                     pointSeries("Q", QJsonArray{QJsonArray{0, 7}})}));
    // x travels without a fraction; -0.5 truncates to 0, not -0.
    const QString text = m_probe->evalJson(QStringLiteral("JSON.stringify(kzProbeCalls.setChartOption.slice(-1))"))
                                 .toString();
    QVERIFY2(text.contains(QLatin1String("[[2,1.5],[-2,1.5],[0,-0.25]]")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("[[0,7]]")), qPrintable(text));
    QCOMPARE(component("series").value("symbolSize").toInt(), 10);
}

void tst_KzChartLine::pointsOutsideTheIntRange()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const int lowest = std::numeric_limits<int>::min();
    const int highest = std::numeric_limits<int>::max();
    const QStringList before = ChartProbe::consoleErrors();

    m_probe->disableAnimation();
    m_chart->setCategories(-10, 10, 4, 1);
    m_chart->setLegends({QStringLiteral("edge")}, QStringLiteral("bottom"));
    m_chart->setDatas(QList<QList<QPair<double, double>>>{{
            {-3, 1}, {3e9, 2}, {2147483647.9, 3}, {2147483648.0, 4}, {-2147483648.9, 5}, {-2147483649.0, 6},
            {-1e300, 7}, {inf, 8}, {-inf, 9}, {nan, 10}, {4, nan}, {5, 11}}});
    const QJsonArray expected{QJsonArray{-3, 1}, QJsonArray{highest, 2}, QJsonArray{highest, 3},
                              QJsonArray{highest, 4}, QJsonArray{lowest, 5}, QJsonArray{lowest, 6},
                              QJsonArray{lowest, 7}, QJsonArray{highest, 8}, QJsonArray{lowest, 9},
                              QJsonArray{QJsonValue::Null, 10}, QJsonArray{4, QJsonValue::Null}, QJsonArray{5, 11}};
    const QJsonArray calls = m_probe->waitForCalls(QStringLiteral("setChartOption"), 3);
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls.at(2).toArray().at(0).toObject(), fragment("series", QJsonArray{pointSeries("edge", expected)}));

    // The page draws the points that it can and skips the two with a null.
    const QJsonArray layouts = m_probe->evalJson(QStringLiteral(
            "(function () { var d = myChart.getModel().getSeriesByIndex(0).getData(), out = [];"
            " for (var i = 0; i < d.count(); ++i) { var p = d.getItemLayout(i);"
            "   out.push(!!p && isFinite(p[0]) && isFinite(p[1])); }"
            " return out; })()")).toArray();
    QCOMPARE(layouts.size(), expected.size());
    QCOMPARE(layouts.at(0).toBool(), true);
    QCOMPARE(layouts.at(9).toBool(), false);
    QCOMPARE(layouts.at(10).toBool(), false);
    QCOMPARE(layouts.at(11).toBool(), true);

    // And it goes on working.
    m_chart->setTitle(QStringLiteral("still alive"));
    QTRY_COMPARE(component("title").value("text").toString(), QStringLiteral("still alive"));
    QCOMPARE(ChartProbe::consoleErrors(), before);
}

void tst_KzChartLine::legendsReplaceRememberedNames()
{
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("5%"));
    QCOMPARE(m_probe->nextFragment(), arrayFragment("legend", QJsonObject{{"y", "5%"}, {"data", QJsonArray{"A", "B"}}}));
    QCOMPARE(component("legend").value("type").toString(), QStringLiteral("scroll"));
    m_chart->setDatas(QList<QList<int>>{{1}, {2}});
    m_probe->nextFragment();

    // An empty list replaces the names too: now only an empty setDatas passes.
    m_chart->setLegends({}, QStringLiteral("bottom"));
    QCOMPARE(m_probe->nextFragment(), arrayFragment("legend", QJsonObject{{"y", "bottom"}, {"data", QJsonArray()}}));
    m_chart->setDatas(QList<QList<int>>{{1}, {2}});
    m_chart->setDatas(QList<QList<double>>{{1.5}});
    m_chart->setDatas(QList<QList<double>>{});
    QCOMPARE(m_probe->nextFragment(), fragment("series", QJsonArray()));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 4);

    // New names apply from the next setDatas on.
    m_chart->setLegends({QStringLiteral("X")}, QStringLiteral("bottom"));
    m_probe->nextFragment();
    m_chart->setDatas(QList<QList<int>>{{9}});
    QCOMPARE(m_probe->nextFragment(), fragment("series", QJsonArray{series("X", QJsonArray{9})}));
}

void tst_KzChartLine::grid()
{
    m_chart->setGrid(QStringLiteral("15%"), true);
    QCOMPARE(m_probe->nextFragment(), arrayFragment("grid", QJsonObject{{"bottom", "15%"}, {"containLabel", true}}));
    m_chart->setGrid(QStringLiteral("60"), false);
    QCOMPARE(m_probe->nextFragment(), arrayFragment("grid", QJsonObject{{"bottom", "60"}, {"containLabel", false}}));
    QCOMPARE(component("grid").value("containLabel").toBool(), false);
}

void tst_KzChartLine::toolTip()
{
    // The probe does see a call of a function that the page lacks.
    const int errorsBefore = ChartProbe::consoleErrors().size();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("kzNoSuchFunction is not defined")));
    m_probe->view()->page()->runJavaScript(QStringLiteral("kzNoSuchFunction(1)"));
    QTRY_COMPARE(ChartProbe::consoleErrors().size(), errorsBefore + 1);
    QVERIFY(ChartProbe::consoleErrors().last().contains(QLatin1String("kzNoSuchFunction")));

    const QJsonObject tooltip = arrayFragment("tooltip", QJsonObject{{"trigger", "item"}});
    m_chart->setToolTip(-1);
    QCOMPARE(m_probe->nextFragment(), tooltip);
    m_chart->setToolTip(2);
    QCOMPARE(m_probe->nextFragment(), tooltip);

    QCOMPARE(m_probe->calls(QStringLiteral("setToolTipFlag")), QJsonArray({QJsonArray{-1}, QJsonArray{2}}));
    QCOMPARE(m_probe->callOrder(), QStringList({"setToolTipFlag", "setChartOption",
                                                "setToolTipFlag", "setChartOption"}));
    QCOMPARE(m_probe->evalJson(QStringLiteral("toolTipFlag")).toInt(), 2);
    QCOMPARE(component("tooltip").value("trigger").toString(), QStringLiteral("item"));
    // Neither call left a script error behind.
    QCOMPARE(ChartProbe::consoleErrors().size(), errorsBefore + 1);
}

void tst_KzChartLine::dataZoom()
{
    showMonths();
    const QImage without = grabChart();
    // Slider views that have drawn something.
    const QString sliders = QStringLiteral(
            "myChart._componentsViews.filter(function (view) {"
            "  return view.type === 'dataZoom.slider' && view.group.children().length > 0; }).length");

    m_chart->setDataZoom(true);
    QCOMPARE(m_probe->nextFragment(), zoomFragment(true));
    QTRY_VERIFY(m_probe->evalJson(sliders).toInt() > 0);
    QTRY_VERIFY(grabChart() != without);

    m_chart->setDataZoom(false);
    QCOMPARE(m_probe->nextFragment(), zoomFragment(false));
    // All four stay in the option, switched off.
    const QJsonArray zooms = m_probe->option().value("dataZoom").toArray();
    QCOMPARE(zooms.size(), 4);
    for (const QJsonValue &zoom : zooms)
        QCOMPARE(zoom.toObject().value("show").toBool(), false);
    QTRY_COMPARE(m_probe->evalJson(sliders).toInt(), 0);
    // Drawn as if there had never been a slider.
    QTRY_COMPARE(grabChart(), without);
}

void tst_KzChartLine::valueRangeKeepsAxisKind()
{
    m_chart->setValues(true, true);
    QCOMPARE(m_probe->nextFragment(),
             arrayFragment("yAxis", QJsonObject{{"type", "value"}, {"boundaryGap", true}, {"inverse", true}}));
    m_chart->setValueRange(-1.5, 99.25, 4, 0.5);
    QCOMPARE(m_probe->nextFragment(), arrayFragment("yAxis", QJsonObject{
            {"min", -1.5}, {"max", 99.25}, {"splitNumber", 4}, {"minInterval", 0.5}}));
    const QJsonObject axis = component("yAxis");
    QCOMPARE(axis.value("type").toString(), QStringLiteral("value"));
    QCOMPARE(axis.value("inverse").toBool(), true);
    QCOMPARE(axis.value("boundaryGap").toBool(), true);
    QCOMPARE(axis.value("min").toDouble(), -1.5);
    QCOMPARE(axis.value("max").toDouble(), 99.25);
}

void tst_KzChartLine::categoryClick()
{
    // Labels stay clickable after the axis was numeric for a while.
    m_chart->setCategories(0, 10, 5, 1);
    showMonths();
    QSignalSpy categories(m_chart, &KzChartLine::categoryClicked);
    QSignalSpy points(m_chart, &KzChartLine::seriesClicked);

    QPoint label;
    QTRY_VERIFY(!(label = m_probe->textPoint(QStringLiteral("一月"))).isNull());
    m_probe->click(label);
    QVERIFY(categories.wait());
    QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("一月"));

    m_probe->click(m_probe->textPoint(QStringLiteral("Mar")));
    QVERIFY(categories.wait());
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("Mar"));
    QCOMPARE(points.size(), 0);
}

void tst_KzChartLine::pointDoubleClick()
{
    showMonths();
    QSignalSpy points(m_chart, &KzChartLine::seriesClicked);
    QSignalSpy categories(m_chart, &KzChartLine::categoryClicked);
    auto pointOf = [this](int seriesIndex, int dataIndex) {
        return m_probe->viewPoint(QStringLiteral("myChart.getModel().getSeriesByIndex(%1).getData().getItemLayout(%2)")
                                          .arg(seriesIndex).arg(dataIndex));
    };

    // The second point of series B carries the category label, not "B".
    m_probe->doubleClick(pointOf(1, 1));
    QVERIFY(points.wait());
    QCOMPARE(points.takeFirst().at(0).toString(), QStringLiteral("Feb"));

    // Empty plot area: nothing. A later point proves that it had its chance.
    const QPoint empty = m_probe->viewPoint(QStringLiteral(
            "(function () { var r = myChart.getModel().getComponent('grid').coordinateSystem.getRect();"
            " return [r.x + r.width * 0.4, r.y + 5]; })()"));
    m_probe->doubleClick(empty);
    // Nor does an axis label, which reports its clicks as categories only.
    m_probe->doubleClick(m_probe->textPoint(QStringLiteral("Mar")));
    m_probe->doubleClick(pointOf(0, 0));
    QVERIFY(points.wait());
    QCOMPARE(points.size(), 1);
    QCOMPARE(points.at(0).at(0).toString(), QStringLiteral("一月"));
    QVERIFY(!categories.isEmpty());
    for (const QList<QVariant> &category : qAsConst(categories))
        QCOMPARE(category.at(0).toString(), QStringLiteral("Mar"));
}

void tst_KzChartLine::relaySlots()
{
    QSignalSpy categories(m_chart, &KzChartLine::categoryClicked);
    QSignalSpy points(m_chart, &KzChartLine::seriesClicked);
    m_chart->clickedCategory(QStringLiteral("any % text"));
    m_chart->clickedSeries(QStringLiteral("点"));
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("any % text"));
    QCOMPARE(points.size(), 1);
    QCOMPARE(points.at(0).at(0).toString(), QStringLiteral("点"));
}

KZ_CHART_TEST_MAIN(tst_KzChartLine)
#include "tst_kzchartline.moc"
