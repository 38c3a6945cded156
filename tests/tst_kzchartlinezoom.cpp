#include "chartprobe.h"

#include <kzchartlinezoom.h>

#include <QApplication>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using SeriesMap = KzChartLineZoom::SeriesMap;
using AlarmMap = KzChartLineZoom::AlarmMap;
using DepthMap = KzChartLineZoom::DepthMap;

namespace {

const QStringList dates = {QStringLiteral("d0"), QStringLiteral("d1"), QStringLiteral("d2"),
                           QStringLiteral("d3"), QStringLiteral("d4"), QStringLiteral("d5")};

// A and B cross between d0 and d1 at 45; A is flat from d2 to d4, B falls
// from d1 to d2. The y axis runs from 0 to 100, so the double-click
// tolerance is 0.5.
SeriesMap crossingLines()
{
    return {{QStringLiteral("A"), {{0, 40}, {1, 50}, {2, 45}, {3, 45}, {4, 45}}},
            {QStringLiteral("B"), {{0, 50}, {1, 40}, {2, 30}, {3, 30}}}};
}

QJsonObject alarmLine(double value, const QString &label)
{
    return QJsonObject{{"label", QJsonObject{{"formatter", label}, {"position", "middle"}}},
                       {"silent", true},
                       {"data", QJsonArray{QJsonObject{{"yAxis", value}}}},
                       {"lineStyle", QJsonObject{{"color", "#FF0000"}}}};
}

} // namespace

// Drives KzChartLineZoom through its real page: the option each call sends,
// the rebuilt chart, tooltips after real hovers, legend selection both ways
// and the double-click hit test with real input.
class tst_KzChartLineZoom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void builders();
    void categoryOption();
    void numericOption();
    void seriesFollowLegends();
    void alarmLines();
    void depthRecords();
    void colorsAndValueListsRebuild();
    void tooltips();
    void legendSelectionFromHost();
    void legendToggleByUser();
    void doubleClickHitsSegments();
    void doubleClickWithoutZoomBars();
    void pixelByLogicChangesNothing();
    void relaySlots();

private:
    // Category chart of crossingLines() over dates, y from 0 to 100.
    void showLines(int mode, const QStringList &legends, const SeriesMap &datas = crossingLines(),
                   const AlarmMap &alarms = AlarmMap());
    QJsonObject nextOption(int *mode = nullptr);
    QPoint pixelOf(int series, double x, double y);
    QString hoverText(int series, double x, double y);
    void doubleClickSeen(const QPoint &pos);

    KzChartLineZoom *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
    int m_seen = 0;
};

void tst_KzChartLineZoom::init()
{
    m_chart = new KzChartLineZoom;
    m_chart->resize(900, 600);
    m_chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chart));
    m_probe = new ChartProbe(m_chart);
    QVERIFY(m_probe->attach({QStringLiteral("setChartOption"), QStringLiteral("setDepthDate"),
                             QStringLiteral("setLegendClicked"), QStringLiteral("getPixelByLogic")}));
    m_probe->disableAnimation();
    m_seen = 0;
    // Registered after the page's own handler, so it runs after it.
    m_probe->eval(QStringLiteral("window.kzDoubleClicks = 0;"
                                 "myChart.getZr().on('dblclick', function () { ++window.kzDoubleClicks; })"));
}

void tst_KzChartLineZoom::cleanup()
{
    delete m_probe;
    delete m_chart;
}

void tst_KzChartLineZoom::showLines(int mode, const QStringList &legends, const SeriesMap &datas,
                                    const AlarmMap &alarms)
{
    m_chart->setOption(mode, legends, QStringLiteral("bottom"), true, 0, 100, QStringLiteral("10%"),
                       QStringLiteral("10%"), QStringLiteral("10%"), QStringLiteral("15%"), true,
                       dates, true, 0, 0, 100, 5, 1, datas, alarms, QStringLiteral("Points"),
                       QStringLiteral("mm"));
}

// The option of the next setChartOption call, and its tooltip mode.
QJsonObject tst_KzChartLineZoom::nextOption(int *mode)
{
    const QJsonArray all = m_probe->waitForCalls(QStringLiteral("setChartOption"), m_seen + 1);
    if (all.size() <= m_seen)
        return QJsonObject();
    const QJsonArray args = all.at(m_seen++).toArray();
    if (mode)
        *mode = args.size() == 2 ? args.at(1).toInt(-1) : -1;
    // Animation off again: the page rebuilt the chart from its base option.
    m_probe->disableAnimation();
    return args.at(0).toObject();
}

// View position of (x, y) in the coordinates of a series. ECharts rounds
// a fractional x on the category axis to a label, so x is interpolated
// between the neighbouring whole positions.
QPoint tst_KzChartLineZoom::pixelOf(int series, double x, double y)
{
    return m_probe->viewPoint(QStringLiteral(
            "(function (x, y) {"
            "  var whole = Math.floor(x);"
            "  var a = myChart.convertToPixel({seriesIndex: %1}, [whole, y]);"
            "  var b = myChart.convertToPixel({seriesIndex: %1}, [whole + 1, y]);"
            "  return [a[0] + (b[0] - a[0]) * (x - whole), a[1]];"
            "})(%2, %3)").arg(series).arg(x).arg(y));
}

// The tooltip shown after moving the mouse away and then onto a point; a
// null text when none shows.
QString tst_KzChartLineZoom::hoverText(int series, double x, double y)
{
    m_probe->hover(m_probe->toView(5, 5));
    if (!QTest::qWaitFor([this] { return m_probe->tooltipHtml().isNull(); }, 5000))
        return QString();
    m_probe->hover(pixelOf(series, x, y));
    QString html;
    (void)QTest::qWaitFor([&] { return !(html = m_probe->tooltipHtml()).isNull(); }, 5000);
    return html;
}

// Double-clicks at pos and waits until the page has handled it. Input and
// script reach the page on separate paths, so without the wait a later
// setOption could overtake the click.
void tst_KzChartLineZoom::doubleClickSeen(const QPoint &pos)
{
    const int before = m_probe->evalJson(QStringLiteral("window.kzDoubleClicks")).toInt();
    m_probe->doubleClick(pos);
    QVERIFY(QTest::qWaitFor([&] {
        return m_probe->evalJson(QStringLiteral("window.kzDoubleClicks")).toInt() > before;
    }, 5000));
}

void tst_KzChartLineZoom::builders()
{
    QCOMPARE(m_chart->setTitle(QStringLiteral("沉降"), QStringLiteral("mm")),
             QJsonArray({QJsonObject{{"text", "沉降"}, {"subtext", "mm"}, {"left", "center"}}}));
    QCOMPARE(m_chart->setToolTip(2), QJsonArray({QJsonObject{{"trigger", "item"}}}));
    QCOMPARE(m_chart->setLegends({QStringLiteral("A")}, QStringLiteral("5%")),
             QJsonArray({QJsonObject{{"y", "5%"}, {"type", "scroll"}, {"data", QJsonArray{"A"}}}}));
    QCOMPARE(m_chart->setGrid(QStringLiteral("3%"), QStringLiteral("40"), QStringLiteral("4%"),
                              QStringLiteral("12%"), false),
             QJsonArray({QJsonObject{{"left", "3%"}, {"top", "40"}, {"right", "4%"}, {"bottom", "12%"},
                                     {"containLabel", false}}}));

    const QJsonArray zoom{
            QJsonObject{{"type", "slider"}, {"xAxisIndex", 0}, {"showDataShadow", false}, {"filterMode", "none"},
                        {"y", "90%"}, {"height", "5%"}, {"start", 10}, {"end", 90}, {"show", false}},
            QJsonObject{{"type", "slider"}, {"yAxisIndex", 0}, {"showDataShadow", false}, {"filterMode", "none"},
                        {"show", false}},
            QJsonObject{{"type", "inside"}, {"xAxisIndex", 0}, {"filterMode", "none"}, {"show", false}},
            QJsonObject{{"type", "inside"}, {"yAxisIndex", 0}, {"filterMode", "none"}, {"show", false}}};
    QCOMPARE(m_chart->setDataZoom(false, 10, 90), zoom);

    const QJsonObject labels{{"type", "category"}, {"data", QJsonArray{"d0", "d1"}},
                             {"axisLine", QJsonObject{{"onZero", false}}}, {"boundaryGap", false},
                             {"axisTick", QJsonObject{{"alignWithLabel", true}}},
                             {"axisLabel", QJsonObject{{"interval", 3}}}};
    QCOMPARE(m_chart->setCategories({QStringLiteral("d0"), QStringLiteral("d1")}, false, 3), QJsonArray{labels});
    QJsonObject noLabels = labels;
    noLabels.insert("data", QJsonArray());
    QCOMPARE(m_chart->setCategories({}, false, 3), QJsonArray{noLabels});

    QCOMPARE(m_chart->setCategories(-5, 40, 9, 2.5),
             QJsonArray({QJsonObject{{"type", "value"}, {"min", -5}, {"max", 40}, {"splitNumber", 9},
                                     {"minInterval", 2.5}}}));
    QCOMPARE(m_chart->setValueRange(-1.5, 2.25, 4, 0.125),
             QJsonArray({QJsonObject{{"min", -1.5}, {"max", 2.25}, {"splitNumber", 4}, {"minInterval", 0.125}}}));
    QCOMPARE(m_chart->setValues(true, false),
             QJsonArray({QJsonObject{{"type", "value"}, {"boundaryGap", true}, {"inverse", false}}}));
    m_chart->getDepthDateString({{QStringLiteral("A"), {{QStringLiteral("d0"), QStringLiteral("1")}}}});
    QCOMPARE(m_chart->setDatas(SeriesMap{{QStringLiteral("A"), {{0, 1}}}}, AlarmMap()).size(), 1);

    // None of them reached the page: the first page call is the colours'.
    m_chart->setColors({QStringLiteral("red")});
    QCOMPARE(nextOption(), QJsonObject({{"color", QJsonArray{"red"}}}));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 1);
    QCOMPARE(m_probe->calls(QStringLiteral("setDepthDate")).size(), 0);
}

void tst_KzChartLineZoom::categoryOption()
{
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    int mode = -1;
    const QJsonObject sent = nextOption(&mode);
    QCOMPARE(mode, 1);
    QCOMPARE(sent.keys(), QStringList({"dataZoom", "grid", "legend", "series", "title", "tooltip", "xAxis", "yAxis"}));
    QCOMPARE(sent.value("title").toArray(),
             QJsonArray({QJsonObject{{"text", "Points"}, {"subtext", "mm"}, {"left", "center"}}}));
    QCOMPARE(sent.value("xAxis").toArray().at(0).toObject().value("data").toArray(),
             QJsonArray::fromStringList(dates));
    QCOMPARE(sent.value("yAxis").toArray(),
             QJsonArray({QJsonObject{{"min", 0}, {"max", 100}, {"splitNumber", 5}, {"minInterval", 1}}}));
    QCOMPARE(sent.value("dataZoom").toArray().size(), 4);
    QCOMPARE(sent.value("series").toArray().size(), 2);
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 1);

    // Rebuilt on the base option: what the option names wins, the rest of the
    // base stays.
    const QJsonObject option = m_probe->option();
    QCOMPARE(option.value("tooltip").toArray().at(0).toObject().value("trigger").toString(), QStringLiteral("item"));
    QCOMPARE(option.value("legend").toArray().at(0).toObject().value("orient").toString(),
             QStringLiteral("horizontal"));
    const QJsonObject xAxis = option.value("xAxis").toArray().at(0).toObject();
    QCOMPARE(xAxis.value("triggerEvent").toBool(), true);
    QCOMPARE(xAxis.value("boundaryGap").toBool(), false);
    QCOMPARE(option.value("series").toArray().size(), 2);

    // Empty texts still send a title.
    m_chart->setOption(0, {}, QStringLiteral("top"), false, 0, 100, {}, {}, {}, {}, false, {}, false, 0,
                       0, 1, 1, 1, SeriesMap(), AlarmMap(), QString(), QString());
    QCOMPARE(nextOption().value("title").toArray(),
             QJsonArray({QJsonObject{{"text", ""}, {"subtext", ""}, {"left", "center"}}}));

    // Place markers in the texts are text: the mode still arrives as mode.
    m_chart->setOption(2, {}, QStringLiteral("top"), false, 0, 100, {}, {}, {}, {}, false, {}, false, 0,
                       0, 1, 1, 1, SeriesMap(), AlarmMap(), QStringLiteral("%1 %2 100%"), QStringLiteral("%2"));
    QCOMPARE(nextOption(&mode).value("title").toArray(),
             QJsonArray({QJsonObject{{"text", "%1 %2 100%"}, {"subtext", "%2"}, {"left", "center"}}}));
    QCOMPARE(mode, 2);
}

void tst_KzChartLineZoom::numericOption()
{
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    // A depth profile: x the measured value, y the depth, downwards.
    m_chart->setOption(2, {QStringLiteral("ZK1")}, QStringLiteral("bottom"), true, 0, 100,
                       QStringLiteral("10%"), QStringLiteral("10%"), QStringLiteral("10%"), QStringLiteral("15%"),
                       true, 0, 50, 5, 10, false, true, 0, 20, 4, 1,
                       SeriesMap{{QStringLiteral("ZK1"), {{10, 2}, {20, 6}, {40, 10}}}});
    int mode = -1;
    const QJsonObject sent = nextOption(&mode);
    QCOMPARE(mode, 2);
    QCOMPARE(sent.keys(), QStringList({"dataZoom", "grid", "legend", "series", "tooltip", "xAxis", "yAxis"}));
    QCOMPARE(sent.value("xAxis").toArray(),
             QJsonArray({QJsonObject{{"type", "value"}, {"min", 0}, {"max", 50}, {"splitNumber", 5},
                                     {"minInterval", 10}}}));
    QCOMPARE(sent.value("yAxis").toArray(),
             QJsonArray({QJsonObject{{"type", "value"}, {"boundaryGap", false}, {"inverse", true}, {"min", 0},
                                     {"max", 20}, {"splitNumber", 4}, {"minInterval", 1}}}));
    const QJsonObject series = sent.value("series").toArray().at(0).toObject();
    QCOMPARE(series.value("data").toArray(),
             QJsonArray({QJsonArray{10, 2}, QJsonArray{20, 6}, QJsonArray{40, 10}}));
    QVERIFY(!series.contains("markLine"));

    // The earlier title and series are gone; the y axis is upside down.
    const QJsonObject option = m_probe->option();
    QCOMPARE(option.value("title").toArray().at(0).toObject().value("text").toString(), QString());
    QCOMPARE(option.value("series").toArray().size(), 1);
    QCOMPARE(option.value("yAxis").toArray().at(0).toObject().value("inverse").toBool(), true);

    // Segment keys are x values.
    QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
    m_probe->doubleClick(pixelOf(0, 30, 8));
    QVERIFY(hits.wait());
    QCOMPARE(hits.at(0), QVariantList({"ZK1", 20, 40}));
}

void tst_KzChartLineZoom::seriesFollowLegends()
{
    const SeriesMap datas = crossingLines();
    // Legend order wins over the map's order.
    m_chart->setLegends({QStringLiteral("B"), QStringLiteral("A")}, QStringLiteral("bottom"));
    const QJsonArray ordered = m_chart->setDatas(datas, AlarmMap());
    QCOMPARE(ordered.size(), 2);
    QCOMPARE(ordered.at(0).toObject(),
             QJsonObject({{"name", "B"}, {"type", "line"}, {"symbolSize", 5},
                          {"data", QJsonArray({QJsonArray{0, 50}, QJsonArray{1, 40}, QJsonArray{2, 30},
                                               QJsonArray{3, 30}})}}));
    QCOMPARE(ordered.at(1).toObject().value("name").toString(), QStringLiteral("A"));

    // A legend without a key draws nothing; keys without a legend are unused.
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("C")}, QStringLiteral("bottom"));
    const QJsonArray missing = m_chart->setDatas(datas, AlarmMap());
    QCOMPARE(missing.at(0).toObject().value("data").toArray().size(), 5);
    QCOMPARE(missing.at(1).toObject().value("name").toString(), QStringLiteral("C"));
    QCOMPARE(missing.at(1).toObject().value("data").toArray(), QJsonArray());

    // A count mismatch yields no series at all, also through setOption.
    m_chart->setLegends({QStringLiteral("A")}, QStringLiteral("bottom"));
    QCOMPARE(m_chart->setDatas(datas, AlarmMap()), QJsonArray());
    showLines(1, {});
    QCOMPARE(nextOption().value("series").toArray(), QJsonArray());
    showLines(1, {QStringLiteral("B"), QStringLiteral("A")});
    const QJsonArray sent = nextOption().value("series").toArray();
    QCOMPARE(sent.at(0).toObject().value("name").toString(), QStringLiteral("B"));
}

void tst_KzChartLineZoom::alarmLines()
{
    const SeriesMap datas = crossingLines();
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("bottom"));

    // One alarm naming one label: the translatable form; B is not named.
    QJsonArray series = m_chart->setDatas(
            datas, AlarmMap{{5.0, {{QStringLiteral("上限")}, {QStringLiteral("A")}}}});
    QCOMPARE(series.at(0).toObject().value("markLine").toObject(), alarmLine(5, QStringLiteral("报警值: 5")));
    QVERIFY(!series.at(1).toObject().contains("markLine"));

    // The greatest value that names a point wins; names match case-sensitively.
    series = m_chart->setDatas(datas, AlarmMap{{5.0, {{QStringLiteral("x")}, {QStringLiteral("A")}}},
                                               {8.0, {{QStringLiteral("y")}, {QStringLiteral("A"), QStringLiteral("B")}}},
                                               {9.5, {{QStringLiteral("z")}, {QStringLiteral("a")}}}});
    QCOMPARE(series.at(0).toObject().value("markLine").toObject(), alarmLine(8, QStringLiteral("y : 8")));
    QCOMPARE(series.at(1).toObject().value("markLine").toObject(), alarmLine(8, QStringLiteral("y : 8")));

    // Label forms: several names, none, and large or fractional values.
    series = m_chart->setDatas(datas, AlarmMap{{12.5, {{QStringLiteral("P1"), QStringLiteral("P2")}, {QStringLiteral("A")}}}});
    QCOMPARE(series.at(0).toObject().value("markLine").toObject(), alarmLine(12.5, QStringLiteral("P1, P2 : 12.5")));
    series = m_chart->setDatas(datas, AlarmMap{{1234567, {{}, {QStringLiteral("B")}}}});
    QCOMPARE(series.at(1).toObject().value("markLine").toObject(), alarmLine(1234567, QStringLiteral(" : 1.23457e+06")));

    // The page draws the red line at the alarm value.
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")}, datas,
              AlarmMap{{62.5, {{QStringLiteral("报警")}, {QStringLiteral("B")}}}});
    nextOption();
    const QJsonObject drawn = m_probe->option().value("series").toArray().at(1).toObject().value("markLine").toObject();
    QCOMPARE(drawn.value("data").toArray().at(0).toObject().value("yAxis").toDouble(), 62.5);
    QVERIFY(!m_probe->textPoint(QStringLiteral("报警值: 62.5")).isNull());
}

void tst_KzChartLineZoom::depthRecords()
{
    const DepthMap depths{{QStringLiteral("B"), {{QStringLiteral("d1"), QStringLiteral("2")}}},
                          {QStringLiteral("A"), {{QStringLiteral("d2"), QStringLiteral("3.5")},
                                                 {QStringLiteral("d10"), QStringLiteral("-2")}}}};
    const QJsonObject expected{{"depthDate", QJsonArray{
            QJsonObject{{"pointName", "A"}, {"dateTime", QJsonArray{QJsonObject{{"date", "d10"}, {"depth", "-2"}},
                                                                    QJsonObject{{"date", "d2"}, {"depth", "3.5"}}}}},
            QJsonObject{{"pointName", "B"}, {"dateTime", QJsonArray{QJsonObject{{"date", "d1"}, {"depth", "2"}}}}}}}};
    const QString text = m_chart->getDepthDateString(depths);
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QCOMPARE(QJsonDocument::fromJson(text.toUtf8()).object(), expected);
    QVERIFY(m_chart->getDepthDateString(DepthMap()).isEmpty());

    m_chart->setDepthDate(depths);
    m_chart->setDepthDate(DepthMap());
    const QJsonArray calls = m_probe->waitForCalls(QStringLiteral("setDepthDate"), 2);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).toArray(), QJsonArray{expected});
    // Called without an argument: the records are gone.
    QCOMPARE(calls.at(1).toArray(), QJsonArray());
    QCOMPARE(m_probe->eval(QStringLiteral("depthDataArray === undefined")).toBool(), true);
    // Neither call rebuilt the chart.
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 0);
}

void tst_KzChartLineZoom::colorsAndValueListsRebuild()
{
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    m_chart->setColors({QStringLiteral("#123456"), QStringLiteral("teal")});
    int mode = -1;
    QCOMPARE(nextOption(&mode), QJsonObject({{"color", QJsonArray{"#123456", "teal"}}}));
    QCOMPARE(mode, 0);
    QJsonObject option = m_probe->option();
    // The palette starts with the colours; the theme fills up the rest.
    QCOMPARE(option.value("color").toArray().at(0).toString(), QStringLiteral("#123456"));
    QCOMPARE(option.value("color").toArray().at(1).toString(), QStringLiteral("teal"));
    QCOMPARE(option.value("series").toArray(), QJsonArray());
    QCOMPARE(option.value("legend").toArray().at(0).toObject().value("data").toArray(), QJsonArray());
    QVERIFY(option.value("dataZoom").toArray().isEmpty());
    QCOMPARE(m_probe->evalJson(QStringLiteral("toolTipFlag")).toInt(), 0);

    // The legends of the last setOption still count the rows.
    m_chart->setDatas(QList<QList<int>>{{1, 2}});
    m_chart->setDatas(QList<QList<int>>{{1, 2}, {3}});
    QCOMPARE(nextOption(&mode), QJsonObject({{"series", QJsonArray{
            QJsonObject{{"name", "A"}, {"type", "line"}, {"smooth", false}, {"data", QJsonArray{1, 2}}},
            QJsonObject{{"name", "B"}, {"type", "line"}, {"smooth", false}, {"data", QJsonArray{3}}}}}}));
    QCOMPARE(mode, 0);
    option = m_probe->option();
    QCOMPARE(option.value("series").toArray().size(), 2);
    QVERIFY(option.value("color").toArray().at(0).toString() != QStringLiteral("#123456"));

    m_chart->setDatas(QList<QList<double>>{{0.5, -1.25}, {}});
    QCOMPARE(nextOption(), QJsonObject({{"series", QJsonArray{
            QJsonObject{{"name", "A"}, {"type", "line"}, {"data", QJsonArray{0.5, -1.25}}},
            QJsonObject{{"name", "B"}, {"type", "line"}, {"data", QJsonArray()}}}}}));

    // setLegends alone sends nothing but empties the names.
    m_chart->setLegends({}, QStringLiteral("bottom"));
    m_chart->setDatas(QList<QList<double>>{{1}});
    m_chart->setColors({});
    QCOMPARE(nextOption(), QJsonObject({{"color", QJsonArray()}}));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 5);
}

void tst_KzChartLineZoom::tooltips()
{
    const QStringList legends{QStringLiteral("A"), QStringLiteral("B")};
    m_chart->setDepthDate({{QStringLiteral("A"), {{QStringLiteral("d2"), QStringLiteral("3.5")},
                                                  {QStringLiteral("d3"), QStringLiteral("-2")}}},
                           {QStringLiteral("B"), {{QStringLiteral("d2"), QStringLiteral("7")}}}});
    showLines(1, legends);
    nextOption();

    QCOMPARE(hoverText(0, 2, 45), QStringLiteral("A<br>日期：d2<br>值：45<br>测量深度：-3.5"));
    QCOMPARE(hoverText(0, 3, 45), QStringLiteral("A<br>日期：d3<br>值：45<br>测量深度：-2"));
    QCOMPARE(hoverText(1, 2, 30), QStringLiteral("B<br>日期：d2<br>值：30<br>测量深度：-7"));

    // Records last across rebuilds until cleared.
    m_chart->setDepthDate(DepthMap());
    QCOMPARE(hoverText(0, 2, 45), QStringLiteral("A<br>日期：d2<br>值：45"));

    showLines(2, legends);
    nextOption();
    QCOMPARE(hoverText(1, 1, 40), QStringLiteral("B<br>深度：40<br>值：1"));

    // Any other mode shows an empty box.
    showLines(0, legends);
    nextOption();
    QCOMPARE(hoverText(0, 1, 50), QString(QLatin1String("")));
}

void tst_KzChartLineZoom::legendSelectionFromHost()
{
    QSignalSpy legends(m_chart, &KzChartLineZoom::legendClicked);
    const QStringList names{QStringLiteral("A"), QStringLiteral("B")};
    auto selection = [this] {
        return m_probe->evalJson(QStringLiteral(
                "['A', 'B'].map(function (name) { return myChart.getModel().getComponent('legend').isSelected(name); })"));
    };
    showLines(1, names);
    nextOption();
    m_chart->setLegendClicked({QStringLiteral("nobody"), QStringLiteral("A")});
    const QJsonArray calls = m_probe->waitForCalls(QStringLiteral("setLegendClicked"), 1);
    QCOMPARE(calls.at(0).toArray().at(0).toObject(),
             QJsonObject({{"legend", QJsonArray{QJsonObject{{"data", QJsonArray{"nobody", "A"}}}}}}));
    QCOMPARE(selection(), QJsonArray({true, false}));
    // The rest of the chart stayed.
    QCOMPARE(m_probe->option().value("dataZoom").toArray().size(), 4);
    QCOMPARE(m_probe->evalJson(QStringLiteral("toolTipFlag")).toInt(), 1);

    // The next option selects everything again.
    showLines(1, names);
    nextOption();
    QCOMPARE(selection(), QJsonArray({true, true}));
    QCOMPARE(legends.size(), 0);
}

void tst_KzChartLineZoom::legendToggleByUser()
{
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    QSignalSpy legends(m_chart, &KzChartLineZoom::legendClicked);
    QPoint entry;
    QTRY_VERIFY(!(entry = m_probe->textPoint(QStringLiteral("B"))).isNull());

    m_probe->click(entry);
    QVERIFY(legends.wait());
    QCOMPARE(legends.at(0).at(0).toStringList(), QStringList{QStringLiteral("B")});
    QCOMPARE(legends.at(0).at(1).toBool(), false);

    m_probe->click(entry);
    QTRY_COMPARE(legends.size(), 2);
    QCOMPARE(legends.at(1).at(0).toStringList(), QStringList{QStringLiteral("B")});
    QCOMPARE(legends.at(1).at(1).toBool(), true);
}

void tst_KzChartLineZoom::doubleClickHitsSegments()
{
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
    auto hitAt = [&](int series, double x, double y) {
        const int before = hits.size();
        m_probe->doubleClick(pixelOf(series, x, y));
        if (!QTest::qWaitFor([&] { return hits.size() > before; }, 5000))
            return QVariantList();
        return hits.last();
    };

    // Rising and falling segments, the click's x between two labels.
    QCOMPARE(hitAt(0, 1.5, 47.5), QVariantList({"A", 1, 2}));
    QCOMPARE(hitAt(1, 1.5, 35), QVariantList({"B", 1, 2}));
    QCOMPARE(hitAt(0, 2.5, 45), QVariantList({"A", 2, 3}));
    // Where A and B cross, the first series in order wins.
    QCOMPARE(hitAt(0, 0.5, 45), QVariantList({"A", 0, 1}));

    // Misses: above a flat segment by more than the tolerance, and on the
    // line of A's last segment but past its last point.
    doubleClickSeen(pixelOf(0, 2.5, 49));
    doubleClickSeen(pixelOf(0, 4.3, 45));
    // A hit afterwards proves that the misses were examined.
    QCOMPARE(hitAt(1, 2.5, 30), QVariantList({"B", 2, 3}));
    QCOMPARE(hits.size(), 5);

    // Zoomed in to y 40..50 the tolerance shrinks to 0.05: a click 0.3 above
    // the flat segment misses, one between two labels on a sloped segment
    // still hits.
    m_probe->eval(QStringLiteral(
            "myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 1, startValue: 40, endValue: 50})"));
    QTRY_COMPARE(m_probe->option().value("dataZoom").toArray().at(1).toObject().value("endValue").toDouble(), 50.0);
    doubleClickSeen(pixelOf(0, 2.5, 45.3));
    QCOMPARE(hitAt(0, 1.3, 48.5), QVariantList({"A", 1, 2}));
    QCOMPARE(hits.size(), 6);

    // With the legend reversed, B comes first at the crossing.
    showLines(1, {QStringLiteral("B"), QStringLiteral("A")});
    nextOption();
    QCOMPARE(hitAt(0, 0.5, 45), QVariantList({"B", 0, 1}));
}

void tst_KzChartLineZoom::doubleClickWithoutZoomBars()
{
    QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
    // Nothing to hit before the first option.
    doubleClickSeen(m_probe->toView(400, 300));

    // Without zoom bars there is no tolerance: nothing is reported.
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    const QPoint onA = pixelOf(0, 1.5, 47.5);
    m_chart->setDatas(QList<QList<double>>{{40, 50, 45}, {50, 40, 30}});
    nextOption();
    doubleClickSeen(onA);

    // The same spot counts once the zoom bars are back.
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    m_probe->doubleClick(onA);
    QVERIFY(hits.wait());
    QCOMPARE(hits.size(), 1);
    QCOMPARE(hits.at(0), QVariantList({"A", 1, 2}));
}

void tst_KzChartLineZoom::pixelByLogicChangesNothing()
{
    showLines(1, {QStringLiteral("A"), QStringLiteral("B")});
    nextOption();
    const QJsonObject before = m_probe->option();
    QSignalSpy legends(m_chart, &KzChartLineZoom::legendClicked);
    QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
    m_chart->getPixelByLogic(2.5);
    const QJsonArray calls = m_probe->waitForCalls(QStringLiteral("getPixelByLogic"), 1);
    const QJsonObject logic{{"data", QJsonArray{QJsonObject{{"data", 2.5}}}}};
    QCOMPARE(calls.at(0).toArray(), QJsonArray{logic});
    QCOMPARE(m_probe->option(), before);
    QCOMPARE(m_probe->evalJson(QStringLiteral("toolTipFlag")).toInt(), 1);
    QCOMPARE(legends.size() + hits.size(), 0);
}

void tst_KzChartLineZoom::relaySlots()
{
    QSignalSpy series(m_chart, &KzChartLineZoom::seriesClicked);
    QSignalSpy legends(m_chart, &KzChartLineZoom::legendClicked);
    QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
    m_chart->clickedSeries(QStringLiteral("S 1"));
    m_chart->clickedLegend(QStringLiteral("L"), true);
    m_chart->dbClickedLine(QStringLiteral("P"), 3, 4);
    QCOMPARE(series.at(0), QVariantList({"S 1"}));
    QCOMPARE(legends.at(0), QVariantList({QStringList{"L"}, true}));
    QCOMPARE(hits.at(0), QVariantList({"P", 3, 4}));

}

KZ_CHART_TEST_MAIN(tst_KzChartLineZoom)
#include "tst_kzchartlinezoom.moc"
