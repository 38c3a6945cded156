#include "chartprobe.h"

#include <kzchartlinezoom.h>

#include <QApplication>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using AlarmMap = KzChartLineZoom::AlarmMap;

namespace {

const QStringList dates = QStringLiteral("d0 d1 d2 d3 d4 d5").split(QLatin1Char(' '));
const QStringList AB = {"A", "B"};

// A and B cross at 45 between d0 and d1; A is flat from d2 to d4. With y
// from 0 to 100 the double-click tolerance is 0.5.
const KzChartLineZoom::SeriesMap crossingLines = {{"A", {{0, 40}, {1, 50}, {2, 45}, {3, 45}, {4, 45}}},
                                                  {"B", {{0, 50}, {1, 40}, {2, 30}, {3, 30}}}};

// JSON written with single quotes, for compact expectations.
QJsonValue js(QByteArray text)
{
    return QJsonDocument::fromJson("[" + text.replace('\'', '"') + "]").array().at(0);
}
QJsonArray arr(const QByteArray &text) { return js(text).toArray(); }

QJsonObject alarmLine(double value, const QString &label)
{
    return {{"label", QJsonObject{{"formatter", label}, {"position", "middle"}}}, {"silent", true},
            {"data", QJsonArray{QJsonObject{{"yAxis", value}}}}, {"lineStyle", QJsonObject{{"color", "#FF0000"}}}};
}

} // namespace

// Drives KzChartLineZoom through its real page: the options sent, the
// rebuilds, and real hovers, legend clicks and double-clicks.
class tst_KzChartLineZoom : public QObject
{
    Q_OBJECT

    KzChartLineZoom *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
    int m_seen = 0; // setChartOption calls read so far
    int m_errors = 0; // page errors before this test

    // Category chart of crossingLines over dates, y from 0 to 100.
    void showLines(int mode, const QStringList &legends, const AlarmMap &alarms = AlarmMap())
    {
        m_chart->setOption(mode, legends, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, dates, true, 0,
                           0, 100, 5, 1, crossingLines, alarms, "Points", "mm");
    }

    // The arguments of the next setChartOption call: option, tooltip mode.
    QJsonArray nextCall()
    {
        const QJsonArray calls = m_probe->waitForCalls("setChartOption", ++m_seen);
        // Animation off again: the page rebuilt the chart from its base option.
        m_probe->disableAnimation();
        return calls.at(m_seen - 1).toArray();
    }

    // View position of (x, y) on a series. ECharts would round a fractional
    // category x to a label, so it is interpolated between the neighbours.
    QPoint pixelOf(int series, double x, double y)
    {
        return m_probe->viewPoint(QStringLiteral(
                "(function (x, y) { var whole = Math.floor(x);"
                "  var a = myChart.convertToPixel({seriesIndex: %1}, [whole, y]);"
                "  var b = myChart.convertToPixel({seriesIndex: %1}, [whole + 1, y]);"
                "  return [a[0] + (b[0] - a[0]) * (x - whole), a[1]]; })(%2, %3)").arg(series).arg(x).arg(y));
    }

    // The tooltip after moving away and back onto a point; null if none shows.
    QString hoverText(int series, double x, double y)
    {
        m_probe->hover(m_probe->toView(5, 5));
        if (!QTest::qWaitFor([this] { return m_probe->tooltipHtml().isNull(); }, 5000))
            return QString();
        m_probe->hover(pixelOf(series, x, y));
        QString html;
        (void)QTest::qWaitFor([&] { return !(html = m_probe->tooltipHtml()).isNull(); }, 5000);
        return html;
    }

    // Double-clicks and waits until the page has handled it: input and script
    // travel separately, so a later setOption could overtake the click.
    void doubleClickSeen(const QPoint &pos)
    {
        const int before = m_probe->evalJson("window.kzDoubleClicks").toInt();
        m_probe->doubleClick(pos);
        QVERIFY(QTest::qWaitFor([&] { return m_probe->evalJson("window.kzDoubleClicks").toInt() > before; }, 5000));
    }

private Q_SLOTS:
    void init()
    {
        m_chart = new KzChartLineZoom;
        m_chart->resize(900, 600);
        m_chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chart));
        m_probe = new ChartProbe(m_chart);
        QVERIFY(m_probe->attach({"setChartOption", "setDepthDate", "setLegendClicked", "getPixelByLogic"}));
        m_probe->disableAnimation();
        m_seen = 0;
        m_errors = ChartProbe::consoleErrors().size();
        // Registered after the page's own handler, so it runs after it.
        m_probe->eval("window.kzDoubleClicks = 0;"
                      "myChart.getZr().on('dblclick', function () { ++window.kzDoubleClicks; })");
    }

    void cleanup()
    {
        delete m_probe;
        delete m_chart;
        // No script error in the page, e.g. from a double-click handler.
        QCOMPARE(ChartProbe::consoleErrors().mid(m_errors), QStringList());
    }

    void builders()
    {
        QCOMPARE(m_chart->setToolTip(2), arr("[{'trigger': 'item'}]"));
        QCOMPARE(m_chart->setLegends({"A"}, "5%"), arr("[{'y': '5%', 'type': 'scroll', 'data': ['A']}]"));
        QCOMPARE(m_chart->setGrid("3%", "40", "4%", "12%", false),
                 arr("[{'left': '3%', 'top': '40', 'right': '4%', 'bottom': '12%', 'containLabel': false}]"));
        // Position and window only on the x slider.
        QCOMPARE(m_chart->setDataZoom(false, 10, 90), arr(
                "[{'type': 'slider', 'xAxisIndex': 0, 'showDataShadow': false, 'filterMode': 'none', 'show': false,"
                "  'y': '90%', 'height': '5%', 'start': 10, 'end': 90},"
                " {'type': 'slider', 'yAxisIndex': 0, 'showDataShadow': false, 'filterMode': 'none', 'show': false},"
                " {'type': 'inside', 'xAxisIndex': 0, 'filterMode': 'none', 'show': false},"
                " {'type': 'inside', 'yAxisIndex': 0, 'filterMode': 'none', 'show': false}]"));
        const QByteArray labels = "[{'type': 'category', 'data': ['d0', 'd1'], 'axisLine': {'onZero': false},"
                                  " 'boundaryGap': false, 'axisTick': {'alignWithLabel': true},"
                                  " 'axisLabel': {'interval': 3}}]";
        QCOMPARE(m_chart->setCategories({"d0", "d1"}, false, 3), arr(labels));
        QCOMPARE(m_chart->setCategories({}, false, 3), arr(QByteArray(labels).replace("'d0', 'd1'", "")));
        QCOMPARE(m_chart->setCategories(-5, 40, 9, 2.5),
                 arr("[{'type': 'value', 'min': -5, 'max': 40, 'splitNumber': 9, 'minInterval': 2.5}]"));
        QCOMPARE(m_chart->setValueRange(-1.5, 2.25, 4, 0.125),
                 arr("[{'min': -1.5, 'max': 2.25, 'splitNumber': 4, 'minInterval': 0.125}]"));
        QCOMPARE(m_chart->setValues(true, false), arr("[{'type': 'value', 'boundaryGap': true, 'inverse': false}]"));

        // Series follow the remembered legends, not the map: B first, and C,
        // which has no key, draws nothing. A count mismatch gives none.
        m_chart->setLegends({"B", "C"}, "bottom");
        QCOMPARE(m_chart->setDatas(crossingLines, AlarmMap()),
                 arr("[{'name': 'B', 'type': 'line', 'symbolSize': 5, 'data': [[0, 50], [1, 40], [2, 30], [3, 30]]},"
                     " {'name': 'C', 'type': 'line', 'symbolSize': 5, 'data': []}]"));
        m_chart->setLegends({"A"}, "bottom");
        QCOMPARE(m_chart->setDatas(crossingLines, AlarmMap()), QJsonArray());

        // Alarm lines of [A, B]; a lone alarm with a lone name reads "报警值".
        m_chart->setLegends(AB, "bottom");
        auto marks = [this](const AlarmMap &alarms) {
            QJsonArray lines;
            for (const QJsonValue &item : m_chart->setDatas(crossingLines, alarms))
                lines.append(item.toObject().value("markLine"));
            return lines;
        };
        QCOMPARE(marks({{5.0, {{"上限"}, {"A"}}}}), QJsonArray({alarmLine(5, "报警值: 5"), QJsonValue()}));
        // The greatest value that names a point wins; names match case-sensitively.
        QCOMPARE(marks({{5.0, {{"x"}, {"A"}}}, {8.0, {{"y"}, AB}}, {9.5, {{"z"}, {"a"}}}}),
                 QJsonArray({alarmLine(8, "y : 8"), alarmLine(8, "y : 8")}));
        QCOMPARE(marks({{12.5, {{"P1", "P2"}, {"A"}}}, {1234567, {{}, {"B"}}}}),
                 QJsonArray({alarmLine(12.5, "P1, P2 : 12.5"), alarmLine(1234567, " : 1.23457e+06")}));

        // None of them reached the page: the first page call is the colours'.
        m_chart->setColors({"red"});
        QCOMPARE(nextCall(), arr("[{'color': ['red']}, 0]"));
        QCOMPARE(m_probe->callOrder(), QStringList{"setChartOption"});
    }

    void options()
    {
        // The category form sends exactly the builders' arrays.
        const AlarmMap alarms{{62.5, {{"报警"}, {"B"}}}};
        showLines(1, AB, alarms);
        QCOMPARE(nextCall(), QJsonArray({QJsonObject({{"tooltip", m_chart->setToolTip(1)},
                                                      {"legend", m_chart->setLegends(AB, "bottom")},
                                                      {"dataZoom", m_chart->setDataZoom(true, 0, 100)},
                                                      {"grid", m_chart->setGrid("8%", "12%", "6%", "15%", true)},
                                                      {"title", m_chart->setTitle("Points", "mm")},
                                                      {"xAxis", m_chart->setCategories(dates, true, 0)},
                                                      {"yAxis", m_chart->setValueRange(0, 100, 5, 1)},
                                                      {"series", m_chart->setDatas(crossingLines, alarms)}}),
                                         1}));
        QTRY_VERIFY(!m_probe->textPoint("报警值: 62.5").isNull());

        // Place markers in the texts stay text and the mode still arrives as
        // mode; one legend for two keys leaves no series.
        m_chart->setOption(2, {"A"}, "top", false, 0, 100, {}, {}, {}, {}, false, {}, false, 0, 0, 1, 1, 1,
                           crossingLines, AlarmMap(), "%1 %2 100%", "%2");
        QJsonArray call = nextCall();
        QCOMPARE(call.at(1), QJsonValue(2));
        QCOMPARE(call.at(0)["title"], js("[{'text': '%1 %2 100%', 'subtext': '%2', 'left': 'center'}]"));
        QCOMPARE(call.at(0)["series"], js("[]"));

        // The numeric form, a depth profile: no title, the y axis downwards.
        const KzChartLineZoom::SeriesMap profile{{"ZK1", {{10, 2}, {20, 6}, {40, 10}}}};
        m_chart->setOption(2, {"ZK1"}, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, 0, 50, 5, 10, false,
                           true, 0, 20, 4, 1, profile);
        call = nextCall();
        QCOMPARE(call.at(1), QJsonValue(2));
        QCOMPARE(call.at(0).toObject().keys(),
                 QStringList({"dataZoom", "grid", "legend", "series", "tooltip", "xAxis", "yAxis"}));
        QCOMPARE(call.at(0)["xAxis"], QJsonValue(m_chart->setCategories(0, 50, 5, 10)));
        QCOMPARE(call.at(0)["yAxis"], js("[{'type': 'value', 'boundaryGap': false, 'inverse': true,"
                                         "  'min': 0, 'max': 20, 'splitNumber': 4, 'minInterval': 1}]"));
        QCOMPARE(call.at(0)["series"], QJsonValue(m_chart->setDatas(profile, AlarmMap())));
        QCOMPARE(m_probe->calls("setChartOption").size(), 3); // one page call each

        // On a numeric axis the segment keys are x values.
        QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
        m_probe->doubleClick(pixelOf(0, 30, 8));
        QVERIFY(hits.wait());
        QCOMPARE(hits.at(0), QVariantList({"ZK1", 20, 40}));
    }

    void depthsAndTooltips()
    {
        const KzChartLineZoom::DepthMap depths{{"B", {{"d2", "7"}}}, {"A", {{"d3", "-2"}, {"d2", "3.5"}}}};
        const QJsonValue records = js("{'depthDate': ["
                                      "  {'pointName': 'A', 'dateTime': [{'date': 'd2', 'depth': '3.5'},"
                                      "                                  {'date': 'd3', 'depth': '-2'}]},"
                                      "  {'pointName': 'B', 'dateTime': [{'date': 'd2', 'depth': '7'}]}]}");
        QCOMPARE(js(m_chart->getDepthDateString(depths).toUtf8()), records);
        // Records given before the option last across its rebuild.
        m_chart->setDepthDate(depths);
        showLines(1, AB);
        nextCall();

        // Positive depths shown negated, others as they are.
        QCOMPARE(hoverText(0, 2, 45), QStringLiteral("A<br>日期：d2<br>值：45<br>测量深度：-3.5"));
        QCOMPARE(hoverText(0, 3, 45), QStringLiteral("A<br>日期：d3<br>值：45<br>测量深度：-2"));

        // An empty map: a call without argument, which clears only the records.
        m_chart->setDepthDate({});
        QCOMPARE(m_probe->waitForCalls("setDepthDate", 2), QJsonArray({QJsonArray{records}, QJsonArray()}));
        QCOMPARE(hoverText(0, 2, 45), QStringLiteral("A<br>日期：d2<br>值：45"));
        QCOMPARE(m_probe->calls("setChartOption").size(), 1);

        showLines(2, AB);
        nextCall();
        QCOMPARE(hoverText(1, 1, 40), QStringLiteral("B<br>深度：40<br>值：1"));
        // Any other mode shows an empty box.
        showLines(0, AB);
        nextCall();
        QCOMPARE(hoverText(0, 1, 50), QString(QLatin1String("")));
    }

    void legendsRebuildsAndRelays()
    {
        QSignalSpy series(m_chart, &KzChartLineZoom::seriesClicked);
        QSignalSpy legends(m_chart, &KzChartLineZoom::legendClicked);
        QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
        auto selection = [this] {
            return m_probe->evalJson("['A', 'B'].map(function (name) {"
                                     "  return myChart.getModel().getComponent('legend').isSelected(name); })");
        };
        showLines(1, AB);
        nextCall();

        // Exactly the named entries, silently; the rest of the chart stays.
        m_chart->setLegendClicked({"nobody", "A"});
        QCOMPARE(m_probe->waitForCalls("setLegendClicked", 1).at(0).toArray(),
                 arr("[{'legend': [{'data': ['nobody', 'A']}]}]"));
        QCOMPARE(selection(), QJsonValue(QJsonArray({true, false})));
        QCOMPARE(m_probe->option().value("dataZoom").toArray().size(), 4);

        // Real clicks on B's entry: its name and the new state, both ways.
        QPoint entry;
        QTRY_VERIFY(!(entry = m_probe->textPoint("B")).isNull());
        m_probe->click(entry);
        QVERIFY(legends.wait());
        QCOMPARE(legends.at(0), QVariantList({QStringList{"B"}, true}));
        m_probe->click(entry);
        QTRY_COMPARE(legends.size(), 2);
        QCOMPARE(legends.at(1), QVariantList({QStringList{"B"}, false}));

        // The next option selects everything again, silently too.
        showLines(1, AB);
        nextCall();
        QCOMPARE(selection(), QJsonValue(QJsonArray({true, true})));

        // getPixelByLogic asks the page but changes nothing.
        const QJsonObject before = m_probe->option();
        m_chart->getPixelByLogic(2.5);
        QCOMPARE(m_probe->waitForCalls("getPixelByLogic", 1).at(0).toArray(), arr("[{'data': [{'data': 2.5}]}]"));
        QCOMPARE(m_probe->option(), before);

        // setColors leaves only the base option and the palette.
        m_chart->setColors({"#123456", "teal"});
        QCOMPARE(nextCall(), arr("[{'color': ['#123456', 'teal']}, 0]"));
        QCOMPARE(m_probe->option().value("series").toArray(), QJsonArray());
        QVERIFY(m_probe->option().value("dataZoom").toArray().isEmpty());

        // Value lists need one row per legend; they drop the palette again.
        m_chart->setDatas(QList<QList<int>>{{1, 2}});
        m_chart->setDatas(QList<QList<int>>{{1, 2}, {3}});
        QCOMPARE(nextCall(), arr("[{'series': [{'name': 'A', 'type': 'line', 'smooth': false, 'data': [1, 2]},"
                                 "             {'name': 'B', 'type': 'line', 'smooth': false, 'data': [3]}]}, 0]"));
        QVERIFY(m_probe->option().value("color").toArray().at(0).toString() != QStringLiteral("#123456"));
        m_chart->setDatas(QList<QList<double>>{{0.5, -1.25}, {}});
        QCOMPARE(nextCall(), arr("[{'series': [{'name': 'A', 'type': 'line', 'data': [0.5, -1.25]},"
                                 "             {'name': 'B', 'type': 'line', 'data': []}]}, 0]"));
        QCOMPARE(series.size() + hits.size(), 0);
        QCOMPARE(legends.size(), 2);

        // The slots the page calls emit the signals when called directly too.
        m_chart->clickedSeries("S 1");
        m_chart->clickedLegend("L", true);
        m_chart->dbClickedLine("P", 3, 4);
        QCOMPARE(series.at(0), QVariantList({"S 1"}));
        QCOMPARE(legends.at(2), QVariantList({QStringList{"L"}, true}));
        QCOMPARE(hits.at(0), QVariantList({"P", 3, 4}));
    }

    void doubleClicks()
    {
        QSignalSpy hits(m_chart, &KzChartLineZoom::lineDBClicked);
        // Nothing to hit before the first option.
        doubleClickSeen(m_probe->toView(400, 300));

        showLines(1, AB);
        nextCall();
        auto hitAt = [&](int series, double x, double y) {
            const int before = hits.size();
            m_probe->doubleClick(pixelOf(series, x, y));
            return QTest::qWaitFor([&] { return hits.size() > before; }, 5000) ? hits.last() : QVariantList();
        };
        // Rising and falling segments, the click's x between two labels.
        QCOMPARE(hitAt(0, 1.5, 47.5), QVariantList({"A", 1, 2}));
        QCOMPARE(hitAt(1, 1.5, 35), QVariantList({"B", 1, 2}));
        // Where A and B cross, the first series in order wins.
        QCOMPARE(hitAt(0, 0.5, 45), QVariantList({"A", 0, 1}));

        // Misses: above a flat segment beyond the tolerance, and past A's last
        // point on its line (the final count shows neither was reported).
        doubleClickSeen(pixelOf(0, 2.5, 49));
        doubleClickSeen(pixelOf(0, 4.3, 45));
        QCOMPARE(hitAt(1, 2.5, 30), QVariantList({"B", 2, 3}));

        // Zoomed to y 40..50 the tolerance is 0.05: 0.3 above the flat segment
        // misses, a sloped segment between labels still hits.
        m_probe->eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 1, startValue: 40, endValue: 50})");
        QTRY_COMPARE(m_probe->option().value("dataZoom").toArray().at(1).toObject().value("endValue").toDouble(), 50.0);
        doubleClickSeen(pixelOf(0, 2.5, 45.3));
        QCOMPARE(hitAt(0, 1.3, 48.5), QVariantList({"A", 1, 2}));

        // A list setDatas leaves no zoom bars: ignored, without a page error.
        m_chart->setDatas(QList<QList<double>>{{40, 50, 45}, {50, 40, 30}});
        nextCall();
        doubleClickSeen(m_probe->toView(400, 300));

        // With the legend reversed, B comes first at the crossing.
        showLines(1, {"B", "A"});
        nextCall();
        QCOMPARE(hitAt(0, 0.5, 45), QVariantList({"B", 0, 1}));
        QCOMPARE(hits.size(), 6); // no miss was reported
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartLineZoom)
#include "tst_kzchartlinezoom.moc"
