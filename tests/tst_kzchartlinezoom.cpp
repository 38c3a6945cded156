#include "chartchecks.h"

#include <kzchartlinezoom.h>

#include <QJsonDocument>
#include <QTranslator>

using AlarmMap = KzChartLineZoom::AlarmMap;
Q_DECLARE_METATYPE(AlarmMap)

namespace {

const QStringList AB = {"A", "B"};
// A and B cross at 45 between d0 and d1; A is flat from d2 to d4. With y
// from 0 to 100 the double-click tolerance is 0.5.
const KzChartLineZoom::SeriesMap crossingLines = {{"A", {{0, 40}, {1, 50}, {2, 45}, {3, 45}, {4, 45}}},
                                                  {"B", {{0, 50}, {1, 40}, {2, 30}, {3, 30}}}};

// Option parts as the page must receive them, written out: the four zoom
// components (position and window only on the x slider) and an alarm line.
QByteArray zooms(const char *show, int start, int end)
{
    return QString(R"([{"type": "slider", "xAxisIndex": 0, "showDataShadow": false, "filterMode": "none",
        "show": %1, "y": "90%", "height": "5%", "start": %2, "end": %3},
        {"type": "slider", "yAxisIndex": 0, "showDataShadow": false, "filterMode": "none", "show": %1},
        {"type": "inside", "xAxisIndex": 0, "filterMode": "none", "show": %1},
        {"type": "inside", "yAxisIndex": 0, "filterMode": "none", "show": %1}])")
            .arg(show).arg(start).arg(end).toUtf8();
}
QByteArray alarm(const char *value, const char *label)
{
    return QString(R"({"label": {"formatter": "%2", "position": "middle"}, "silent": true, "data": [{"yAxis": %1}],
        "lineStyle": {"color": "#FF0000"}})").arg(value, label).toUtf8();
}

} // namespace

// Drives KzChartLineZoom through its real page: the options sent, the
// rebuilds, and real hovers, legend clicks and double-clicks.
class tst_KzChartLineZoom : public ChartTestOf<KzChartLineZoom>
{
    Q_OBJECT

public:
    tst_KzChartLineZoom() : ChartTestOf({"setChartOption", "setDepthDate", "setLegendClicked", "getPixelByLogic"}) {}

private:
    // Category chart of crossingLines over d0..d5, y from 0 to 100, not animated.
    void showLines(int mode, const QStringList &legends, const AlarmMap &alarms = AlarmMap())
    {
        chart()->setOption(mode, legends, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true,
                           {"d0", "d1", "d2", "d3", "d4", "d5"}, true, 0, 0, 100, 5, 1, crossingLines, alarms, "", "");
        m_probe->disableAnimation();
    }
    // View position of (x, y) on a series; a fractional category x, which
    // ECharts would round, is interpolated between the neighbours.
    QPoint pixelOf(int series, double x, double y)
    {
        return m_probe->viewPoint(QString("(function (x, y) { var whole = Math.floor(x);"
                                          " var a = myChart.convertToPixel({seriesIndex: %1}, [whole, y]);"
                                          " var b = myChart.convertToPixel({seriesIndex: %1}, [whole + 1, y]);"
                                          " return [a[0] + (b[0] - a[0]) * (x - whole), a[1]]; })(%2, %3)")
                                          .arg(series).arg(x).arg(y));
    }
    // The tooltip after moving away and back onto a point; null if none shows.
    QString hoverText(int series, double x, double y)
    {
        m_probe->hover(m_probe->toView(5, 5));
        QString html;
        if (QTest::qWaitFor([this] { return m_probe->tooltipHtml().isNull(); }, 5000)) {
            m_probe->hover(pixelOf(series, x, y));
            (void)QTest::qWaitFor([&] { return !(html = m_probe->tooltipHtml()).isNull(); }, 5000);
        }
        return html;
    }
    // The segment that a double-click reports, if any.
    QVariantList hitAt(const QPoint &pos)
    {
        QSignalSpy hits(chart(), &KzChartLineZoom::lineDBClicked);
        m_probe->doubleClick(pos);
        if (!m_probe->inputSettled("clickedSeries", SIGNAL(seriesClicked(QString))))
            return {"no answer"};
        return hits.isEmpty() ? QVariantList() : hits.takeFirst();
    }
    QVariantList hitAt(int series, double x, double y) { return hitAt(pixelOf(series, x, y)); }

private Q_SLOTS:
    void alarmLines_data()
    {
        QTest::addColumn<AlarmMap>("alarms");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QByteArray>("markLines");
        // A lone alarm with a lone name reads "报警值", a translated text; the
        // greatest value that names a point wins; names match case-sensitively.
        const AlarmMap lone = {{5.0, {{"上限"}, {"A"}}}};
        QTest::newRow("lone") << lone << QString() << alarm("5", "报警值: 5") + ", null";
        QTest::newRow("lone, English") << lone << ":/KzChartWidget/translations/kzchartwidget_en.qm"
                                       << alarm("5", "Alarm: 5") + ", null";
        QTest::newRow("greatest") << AlarmMap{{5.0, {{"x"}, {"A"}}}, {8.0, {{"y"}, AB}}, {9.5, {{"z"}, {"a"}}}}
                                  << QString() << alarm("8", "y : 8") + "," + alarm("8", "y : 8");
        QTest::newRow("labels") << AlarmMap{{12.5, {{"P1", "P2"}, {"A"}}}, {1234567, {{}, {"B"}}}} << QString()
                                << alarm("12.5", "P1, P2 : 12.5") + "," + alarm("1234567", " : 1.23457e+06");
    }

    void alarmLines()
    {
        QFETCH(AlarmMap, alarms);
        QFETCH(QString, translation);
        QFETCH(QByteArray, markLines);
        QTranslator translator;
        if (!translation.isEmpty())
            QVERIFY(translator.load(translation) && QCoreApplication::installTranslator(&translator));
        chart()->setLegends(AB, "");
        QJsonArray lines;
        for (const QJsonValue &item : chart()->setDatas(crossingLines, alarms))
            lines.append(item["markLine"]);
        QCOMPARE(lines, QJsonDocument::fromJson("[" + markLines + "]").array());
        QCOMPARE(m_probe->eval("kzProbeLog.length").toInt(), 0); // builders send nothing
    }

    void fragments_data()
    {
        QTest::addColumn<ChartCall>("call");
        QTest::addColumn<QByteArray>("calls");
        // Every argument differs from the others of its type; the flags that
        // both forms share take both values. Series follow the legends, not the
        // map: C, which has no key, draws nothing; a count mismatch, none at all.
        // A point past the labels stays home, with a warning.
        addRow("option by labels", [](KzChartLineZoom *c) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setOption: 1 points left out.* 0 to 1$"));
            c->setOption(1, {"B", "C"}, "bottom", true, 10, 90, "8%", "12%", "6%", "15%", false, {"d0", "d1"}, false,
                         2, -5, 120, 7, 0.5, {{"A", {{0, 40}}}, {"B", {{1, 50}, {2, 60}}}}, {{62.5, {{"报警"}, {"B"}}}}, "%1 %2",
                         "%2");
        }, R"([{"setChartOption": [{"tooltip": [{"trigger": "item"}],
               "legend": [{"y": "bottom", "type": "scroll", "data": ["B", "C"]}], "dataZoom": )" + zooms("true", 10, 90)
           + R"(, "grid": [{"left": "8%", "top": "12%", "right": "6%", "bottom": "15%", "containLabel": false}],
               "title": [{"text": "%1 %2", "subtext": "%2", "left": "center"}],
               "xAxis": [{"type": "category", "data": ["d0", "d1"], "axisLine": {"onZero": false}, "boundaryGap": false,
                          "axisTick": {"alignWithLabel": true}, "axisLabel": {"interval": 2}}],
               "yAxis": [{"min": -5, "max": 120, "splitNumber": 7, "minInterval": 0.5}],
               "series": [{"name": "B", "type": "line", "symbolSize": 5, "data": [[1, 50]], "markLine": )"
           + alarm("62.5", "报警值: 62.5") + R"(}, {"name": "C", "type": "line", "symbolSize": 5, "data": []}]}, 1]}])");
        addRow("option by numbers", [](KzChartLineZoom *c) {
            c->setOption(2, {"ZK1"}, "5%", true, 15, 85, "a", "b", "c", "d", false, -10, 50, 6, 2.5, false, true,
                         1, 30, 4, 0.25, {{"ZK1", {{10, 2}, {20, 6}}}});
        }, R"([{"setChartOption": [{"tooltip": [{"trigger": "item"}],
               "legend": [{"y": "5%", "type": "scroll", "data": ["ZK1"]}], "dataZoom": )" + zooms("true", 15, 85)
           + R"(, "grid": [{"left": "a", "top": "b", "right": "c", "bottom": "d", "containLabel": false}],
               "xAxis": [{"type": "value", "min": -10, "max": 50, "splitNumber": 6, "minInterval": 2.5}],
               "yAxis": [{"type": "value", "boundaryGap": false, "inverse": true, "min": 1, "max": 30, "splitNumber": 4,
                          "minInterval": 0.25}],
               "series": [{"name": "ZK1", "type": "line", "symbolSize": 5, "data": [[10, 2], [20, 6]]}]}, 2]}])");
        addRow("option by numbers, flags swapped", [](KzChartLineZoom *c) {
            c->setOption(-1, {}, "", false, 1, 2, "", "", "", "", true, 3, 4, 5, 6, true, false, 7, 8, 9, 10, {});
        }, R"([{"setChartOption": [{"tooltip": [{"trigger": "item"}],
               "legend": [{"y": "", "type": "scroll", "data": []}], "dataZoom": )" + zooms("false", 1, 2)
           + R"(, "grid": [{"left": "", "top": "", "right": "", "bottom": "", "containLabel": true}],
               "xAxis": [{"type": "value", "min": 3, "max": 4, "splitNumber": 5, "minInterval": 6}],
               "yAxis": [{"type": "value", "boundaryGap": true, "inverse": false, "min": 7, "max": 8, "splitNumber": 9,
                          "minInterval": 10}], "series": []}, -1]}])");
        // Value lists need one row per legend.
        addRow("rows", [](KzChartLineZoom *c) {
            c->setLegends(AB, "");
            expectRefusal("setDatas");
            c->setDatas(Ints{{1, 2}});
            c->setDatas(Ints{{1, 2}, {3}});
            c->setDatas(Reals{{0.5, -1.25}, {}});
        }, R"([{"setChartOption": [{"series": [{"name": "A", "type": "line", "smooth": false, "data": [1, 2]},
                                               {"name": "B", "type": "line", "smooth": false, "data": [3]}]}, 0]},
               {"setChartOption": [{"series": [{"name": "A", "type": "line", "data": [0.5, -1.25]},
                                               {"name": "B", "type": "line", "data": []}]}, 0]}])");
        addRow("pixel", [](KzChartLineZoom *c) { c->getPixelByLogic(2.5); },
               R"([{"getPixelByLogic": [{"data": [{"data": 2.5}]}]}])");
    }

    void depthsAndTooltips()
    {
        // Records given before the option last across its rebuild; positive
        // depths are shown negated, others as they are.
        chart()->setDepthDate({{"A", {{"d3", "-2"}, {"d2", "3.5"}}}});
        showLines(1, AB, {{62.5, {{"报警"}, {"B"}}}});
        QTRY_VERIFY(!m_probe->textPoint("报警值: 62.5").isNull());
        QCOMPARE(hoverText(0, 2, 45), QStringLiteral("A<br>日期：d2<br>值：45<br>测量深度：-3.5"));
        QCOMPARE(hoverText(0, 3, 45), QStringLiteral("A<br>日期：d3<br>值：45<br>测量深度：-2"));
        chart()->setDepthDate({});
        QCOMPARE(hoverText(0, 2, 45), QStringLiteral("A<br>日期：d2<br>值：45"));
        showLines(2, AB);
        QCOMPARE(hoverText(1, 1, 40), QStringLiteral("B<br>深度：40<br>值：1"));
        showLines(0, AB); // any other mode: an empty box
        QCOMPARE(hoverText(0, 1, 50), QString(QLatin1String("")));
    }

    void legendsAndRebuilds()
    {
        QSignalSpy legends(chart(), &KzChartLineZoom::legendClicked);
        auto selection = [this] {
            return m_probe->evalJson("['A', 'B'].map(function (name) {"
                                     " return myChart.getModel().getComponent('legend').isSelected(name); })");
        };
        // Exactly the named entries, silently; the rest of the chart stays,
        // and so it does when asked for a pixel.
        showLines(1, AB);
        chart()->setLegendClicked({"nobody", "A"});
        QTRY_COMPARE(selection(), QJsonValue(QJsonArray({true, false})));
        const QJsonObject before = m_probe->option();
        QCOMPARE(before.value("xAxis")[0]["axisLine"]["onZero"], QJsonValue(true));
        chart()->getPixelByLogic(2.5);
        QCOMPARE(m_probe->option(), before);
        // Real clicks on B's entry: its name and the new state, both ways.
        QPoint entry;
        QTRY_VERIFY(!(entry = m_probe->textPoint("B")).isNull());
        m_probe->click(entry);
        QTRY_COMPARE(legends.size(), 1);
        m_probe->click(entry);
        QTRY_COMPARE(legends.size(), 2);
        QCOMPARE(QList<QVariantList>(legends),
                 QList<QVariantList>({{QStringList{"B"}, true}, {QStringList{"B"}, false}}));
        // The next option selects everything again, silently too.
        showLines(1, AB);
        QCOMPARE(selection(), QJsonValue(QJsonArray({true, true})));
        QCOMPARE(legends.size(), 2);
        // setColors leaves only the base option and the palette; a value list drops the palette again.
        chart()->setColors({"#123456", "teal"});
        QTRY_COMPARE(m_probe->option().value("color")[0], QJsonValue("#123456"));
        QCOMPARE(m_probe->option().value("series").toArray().size(), 0);
        QCOMPARE(m_probe->option().value("dataZoom").toArray().size(), 0);
        chart()->setDatas(Ints{{1, 2}, {3}});
        QTRY_COMPARE(m_probe->option().value("series").toArray().size(), 2);
        QVERIFY(m_probe->option().value("color")[0] != QJsonValue("#123456"));
    }

    void doubleClicks()
    {
        QCOMPARE(hitAt(m_probe->toView(400, 300)), QVariantList()); // nothing to hit before the first option
        showLines(1, AB);
        // Rising and falling segments, the click's x between two labels;
        // where A and B cross, the first series in order wins.
        QCOMPARE(hitAt(0, 1.5, 47.5), QVariantList({"A", 1, 2}));
        QCOMPARE(hitAt(1, 1.5, 35), QVariantList({"B", 1, 2}));
        QCOMPARE(hitAt(0, 0.5, 45), QVariantList({"A", 0, 1}));
        // Misses: above a flat segment beyond the tolerance, and past A's last point on its line.
        QCOMPARE(hitAt(0, 2.5, 49), QVariantList());
        QCOMPARE(hitAt(0, 4.3, 45), QVariantList());
        QCOMPARE(hitAt(1, 2.5, 30), QVariantList({"B", 2, 3}));
        // Zoomed to y 40..50 the tolerance is 0.05: 0.3 above the flat
        // segment misses, a sloped segment between labels still hits.
        m_probe->eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 1, startValue: 40, endValue: 50})");
        QTRY_COMPARE(m_probe->option().value("dataZoom")[1]["endValue"], QJsonValue(50));
        QCOMPARE(hitAt(0, 2.5, 45.3), QVariantList());
        QCOMPARE(hitAt(0, 1.3, 48.5), QVariantList({"A", 1, 2}));
        // With the legend reversed, B comes first at the crossing.
        showLines(1, {"B", "A"});
        QCOMPARE(hitAt(0, 0.5, 45), QVariantList({"B", 0, 1}));
        // A list setDatas leaves no zoom bars: ignored.
        chart()->setDatas(Reals{{40, 50, 45}, {50, 40, 30}});
        m_probe->disableAnimation();
        QCOMPARE(hitAt(m_probe->toView(400, 300)), QVariantList());
        // On a numeric axis the segment keys are x values.
        chart()->setOption(2, {"ZK1"}, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, 0, 50, 5, 10, false,
                           true, 0, 20, 4, 1, {{"ZK1", {{10, 2}, {20, 6}, {40, 10}}}});
        m_probe->disableAnimation();
        QCOMPARE(hitAt(0, 30, 8), QVariantList({"ZK1", 20, 40}));
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartLineZoom)
#include "tst_kzchartlinezoom.moc"
