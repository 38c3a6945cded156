#include "chartprobe.h"

#include <kzchartline.h>
#include <kzchartlinezoom.h>

#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWheelEvent>

#include <csignal>
#include <functional>
#include <memory>

// Samples appended to both line charts, over labels and over numbers: what
// the page draws, what it keeps of the view, how the view follows the newest
// sample and lets the user stop it, the retention, refused appends and
// recovery.
namespace {
enum Kind { LineLabels, LinePoints, ZoomLabels, ZoomPoints };
class LiveChart;
using Bad = std::function<void(LiveChart &)>;
} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Bad)

namespace {

// Sample i of series s: x i (label "L<i>"), y a small saw per series.
double sampleY(int s, int i) { return s * 100 + i % 10; }

class LiveChart
{
public:
    LiveChart(Kind kind, int count, int retention = 0) : kind(kind)
    {
        if (kind == LineLabels || kind == LinePoints)
            line = new KzChartLine;
        else
            zoom = new KzChartLineZoom;
        widget.reset(line ? static_cast<QWidget *>(line) : zoom);
        widget->resize(900, 500);
        widget->show();
        probe.reset(new ChartProbe(widget.get()));
        if (!QTest::qWaitForWindowExposed(widget.get()) || !probe->attach({"appendLiveData"}))
            qFatal("The chart page did not come up");
        setRetention(retention);
        fill(0, count);
    }

    bool labels() const { return kind == LineLabels || kind == ZoomLabels; }

    // Gives the chart samples [from, from + count) through its data setter.
    void fill(int from, int count)
    {
        QStringList names{"A", "B"}, categories;
        QList<QList<double>> rows{{}, {}};
        QList<QList<QPair<double, double>>> points{{}, {}};
        KzChartLineZoom::SeriesMap map;
        for (int i = from; i < from + count; ++i) {
            categories.append(QStringLiteral("L%1").arg(i));
            for (int s = 0; s < 2; ++s) {
                rows[s].append(sampleY(s, i));
                points[s].append({double(labels() ? i - from : i), sampleY(s, i)});
                map[names.at(s)].append(points[s].last());
            }
        }
        if (line) {
            line->setTitle("T");
            line->setLegends(names, "bottom");
            line->setToolTip(0);
            line->setDataZoom(true);
            if (labels()) {
                line->setCategories(categories, true, 0);
                line->setDatas(rows);
            } else {
                line->setCategories(0, from + count, 5, 1);
                line->setDatas(points);
            }
        } else if (labels()) {
            zoom->setOption(1, names, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, categories, true, 0, -50,
                            250, 5, 1, map, {{150.0, {{"A"}, {"A"}}}}, "T", "");
        } else {
            zoom->setOption(2, names, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, 0, from + count, 5, 1,
                            false, false, -50, 250, 5, 1, map);
        }
    }

    // Appends samples [from, from + count) to both series.
    void append(int from, int count)
    {
        QStringList categories;
        QList<QList<double>> rows{{}, {}};
        QList<QList<QPair<double, double>>> points{{}, {}};
        for (int i = from; i < from + count; ++i) {
            categories.append(QStringLiteral("L%1").arg(i));
            for (int s = 0; s < 2; ++s) {
                rows[s].append(sampleY(s, i));
                points[s].append({double(i), sampleY(s, i)});
            }
        }
        if (line && labels())
            line->appendDatas(categories, rows);
        else if (line)
            line->appendDatas(points);
        else if (labels())
            zoom->appendDatas(categories, rows);
        else
            zoom->appendDatas(KzChartLineZoom::SeriesMap{{"A", points.at(0)}, {"B", points.at(1)}});
    }

    void setRetention(int points) { line ? line->setRetention(points) : zoom->setRetention(points); }
    void setFollowing(bool on) { line ? line->setFollowing(on) : zoom->setFollowing(on); }
    bool isFollowing() const { return line ? line->isFollowing() : zoom->isFollowing(); }

    // The samples that series s shows, by number: labels name them on a
    // label axis, x does on a numeric one.
    QList<int> drawn(int s = 0)
    {
        const QJsonArray data = probe->evalJson(QStringLiteral("(myChart.getOption().series[%1] || {}).data || []").arg(s)).toArray();
        const QJsonArray axis = probe->evalJson(QStringLiteral("myChart.getOption().xAxis[0].data")).toArray();
        QList<int> samples;
        for (int i = 0; i < data.size(); ++i) {
            const int x = data.at(i).isArray() ? data.at(i).toArray().at(0).toInt() : i;
            samples.append(labels() ? axis.at(x).toString().mid(1).toInt() : x);
        }
        return samples;
    }
    // The x window [first, last] by sample number.
    QPair<int, int> window()
    {
        const QJsonArray range = probe->evalJson("myChart.getModel().getComponent('xAxis', 0).axis.scale.getExtent()").toArray();
        const QJsonArray axis = probe->evalJson(QStringLiteral("myChart.getOption().xAxis[0].data")).toArray();
        const auto sample = [&](const QJsonValue &x) {
            return labels() ? axis.at(qRound(x.toDouble())).toString().mid(1).toInt() : qRound(x.toDouble());
        };
        return {sample(range.at(0)), sample(range.at(1))};
    }
    // Turns the mouse wheel over the plot at sample x: positive steps zoom in.
    void wheel(int x, int steps)
    {
        if (labels())
            x -= probe->evalJson("myChart.getOption().xAxis[0].data[0]").toString().mid(1).toInt();
        const QPoint pos = probe->viewPoint(QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [%1, 50])").arg(x));
        QWidget *input = probe->view()->focusProxy();
        for (int i = 0; i < qAbs(steps); ++i) {
            QWheelEvent event(pos, input->mapToGlobal(pos), QPoint(), QPoint(0, steps > 0 ? 120 : -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(input, &event);
            QTest::qWait(50);
        }
    }

    const Kind kind;
    KzChartLine *line = nullptr;
    KzChartLineZoom *zoom = nullptr;
    std::unique_ptr<QWidget> widget;
    std::unique_ptr<ChartProbe> probe;
};

QList<int> range(int from, int to)
{
    QList<int> numbers;
    for (int i = from; i < to; ++i)
        numbers.append(i);
    return numbers;
}

const char *const kindNames[] = {"line, labels", "line, points", "lineZoom, labels", "lineZoom, points"};

void addKinds(const QList<Kind> &kinds)
{
    QTest::addColumn<Kind>("kind");
    for (Kind kind : kinds)
        QTest::newRow(kindNames[kind]) << kind;
}

} // namespace

class tst_Live : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendsKeepTheView_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("count");
        for (Kind kind : {LineLabels, LinePoints, ZoomLabels, ZoomPoints})
            QTest::addRow("%s", kindNames[kind]) << kind << 30;
        QTest::newRow("lineZoom, long series") << ZoomPoints << 6000;
    }

    // With the view held still, an append changes nothing but the data: the
    // zoom windows, the legend selection, the tooltip shown, the title and
    // the alarm line stay, and only the new samples travel.
    void appendsKeepTheView()
    {
        QFETCH(Kind, kind);
        QFETCH(int, count);
        LiveChart chart(kind, count);
        chart.setFollowing(false);
        QTRY_VERIFY(!chart.drawn().isEmpty());
        chart.probe->eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 1, start: 0, end: 80})");
        chart.probe->eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 50, end: 90})");
        chart.probe->click(chart.probe->textPoint("B"));
        QTRY_VERIFY(!chart.probe->evalJson("myChart.getOption().legend[0].selected.B").toBool());
        const int hovered = count * 4 / 5;
        const QPoint point = chart.probe->viewPoint(QStringLiteral("myChart.convertToPixel({seriesIndex: 0}, [%1, %2])")
                                                            .arg(hovered).arg(sampleY(0, hovered)));
        chart.probe->hover(point - QPoint(1, 1));
        chart.probe->hover(point);
        QTRY_VERIFY(!chart.probe->tooltipHtml().isEmpty());
        const QString tooltip = chart.probe->tooltipHtml();
        const QString zooms = "['xAxis', 'yAxis'].map(function (key) {"
                              "  return myChart.getModel().getComponent(key, 0).axis.scale.getExtent(); })";
        const QJsonValue windows = chart.probe->evalJson(zooms);
        const QString titleAndAlarm = "[myChart.getOption().title[0].text, myChart.getOption().series[0].markLine || null]";
        const QJsonValue kept = chart.probe->evalJson(titleAndAlarm);

        chart.append(count, 10);
        QTRY_COMPARE(chart.drawn().last(), count + 9);
        if (count < 1000)
            QCOMPARE(chart.drawn(1), range(0, count + 10));
        QCOMPARE(chart.probe->evalJson(zooms), windows);
        QVERIFY(!chart.probe->evalJson("myChart.getOption().legend[0].selected.B").toBool());
        QCOMPARE(chart.probe->evalJson(titleAndAlarm), kept);
        QTRY_COMPARE(chart.probe->tooltipHtml(), tooltip);
        const QJsonArray sent = chart.probe->evalJson("JSON.parse(kzProbeLog[0][1])[0].series").toArray();
        QCOMPARE(chart.probe->eval("kzProbeLog.length").toInt(), 1);
        QCOMPARE(sent.at(1).toObject().value("y").toArray().size(), 10);
    }

    void followingFollowsTheUser_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("retention");
        QTest::newRow("line, points") << LinePoints << 0;
        QTest::newRow("lineZoom, labels, oldest dropped") << ZoomLabels << 1005;
    }

    // The view follows the newest sample; a wheel zoom away from it stops
    // that, and the view holds still while samples arrive; zooming back out,
    // or setFollowing(true), resumes it. The signal reports each change.
    void followingFollowsTheUser()
    {
        QFETCH(Kind, kind);
        QFETCH(int, retention);
        LiveChart chart(kind, 1000, retention);
        QSignalSpy changes(chart.widget.get(), SIGNAL(followingChanged(bool)));
        const QPair<int, int> full = chart.window();
        chart.append(1000, 10);
        QTRY_COMPARE(chart.window().second, 1009);
        QCOMPARE(chart.window().first, 1009 - (full.second - full.first));

        chart.wheel(500, 1);
        QTRY_COMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toBool(), false);
        QVERIFY(!chart.isFollowing());
        const QPair<int, int> held = chart.window();
        QVERIFY(held.second < 1000);
        chart.append(1010, 10);
        QTRY_COMPARE(chart.drawn().last(), 1019);
        QCOMPARE(chart.window(), held);

        for (int i = 0; i < 20 && changes.count() < 2; ++i)
            chart.wheel(500, -1);
        QTRY_COMPARE(changes.count(), 2);
        QCOMPARE(changes.at(1).at(0).toBool(), true);
        chart.append(1020, 10);
        QTRY_COMPARE(chart.window().second, 1029);

        chart.wheel(500, 1);
        QTRY_COMPARE(changes.count(), 3);
        chart.setFollowing(true);
        QCOMPARE(changes.count(), 4);
        QCOMPARE(changes.at(3).at(0).toBool(), true);
        QTRY_COMPARE(chart.window().second, 1029);
    }

    void retentionDropsTheOldest_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("count");
        QTest::newRow("line, labels") << LineLabels << 40;
        QTest::newRow("line, points") << LinePoints << 40;
        QTest::newRow("lineZoom, labels") << ZoomLabels << 40;
        QTest::newRow("lineZoom, points") << ZoomPoints << 40;
        QTest::newRow("lineZoom, long series") << ZoomPoints << 8000;
        QTest::newRow("line, growing long") << LinePoints << 4995;
    }

    // Each series keeps exactly its newest samples: as a burst of appends
    // arrives (merged into a few page calls), and at once when the
    // retention shrinks.
    void retentionDropsTheOldest()
    {
        QFETCH(Kind, kind);
        QFETCH(int, count);
        LiveChart chart(kind, count, count + 10);
        for (int i = 0; i < 30; ++i)
            chart.append(count + i, 1);
        const auto shown = [&] {
            const QList<int> samples = chart.drawn();
            return samples.isEmpty() ? qMakePair(-1, -1)
                                     : qMakePair(*std::min_element(samples.begin(), samples.end()), samples.last());
        };
        QTRY_COMPARE(shown(), qMakePair(20, count + 29));
        QVERIFY(chart.probe->eval("kzProbeLog.length").toInt() <= 9);
        if (count < 1000)
            QCOMPARE(chart.drawn(1), range(20, count + 30));
        // A long series' cut, carried along from what arrived and went, is
        // the cut made afresh.
        const auto cutAfresh = [&] {
            return chart.probe->evalJson("(function (s, c) { s.columns = null; return storeData(s, c.x0, c.x1, c.width); })"
                                         "(largeSeries[0] || {end: 0, first: 0}, largeSeriesCut || {})");
        };
        QCOMPARE(chart.probe->evalJson("myChart.getOption().series[0].data"), cutAfresh());
        QCOMPARE(chart.probe->evalJson("myChart.getOption().series[0].showSymbol").toBool(), count < 1000);
        chart.setRetention(count - 20);
        QTRY_COMPARE(shown(), qMakePair(50, count + 29));
        QCOMPARE(chart.probe->evalJson("myChart.getOption().series[0].data"), cutAfresh());
    }

    void refusedAppends_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<Bad>("bad");
        QTest::addColumn<QString>("warning");
        const QList<double> one{1.0};
        QTest::newRow("rows") << LineLabels << Bad([one](LiveChart &c) { c.line->appendDatas({"x"}, {one}); })
                              << "1 rows of values for the 2 series";
        QTest::newRow("values per label") << ZoomLabels
                                          << Bad([one](LiveChart &c) { c.zoom->appendDatas({"x", "y"}, {one, one}); })
                                          << "a row of 1 values for 2 new labels";
        QTest::newRow("points on labels") << LineLabels << Bad([](LiveChart &c) { c.line->appendDatas({{}, {}}); })
                                          << "the x axis holds labels";
        QTest::newRow("labels on numbers") << ZoomPoints
                                           << Bad([one](LiveChart &c) { c.zoom->appendDatas({"x"}, {one, one}); })
                                           << "the x axis is numeric";
        QTest::newRow("point rows") << LinePoints << Bad([](LiveChart &c) { c.line->appendDatas({{{50, 1}}}); })
                                    << "1 rows of points for the 2 series";
        QTest::newRow("back in time") << LinePoints
                                      << Bad([](LiveChart &c) { c.line->appendDatas({{{50, 1}}, {{48, 1}}}); })
                                      << "x 48 after 49 in B goes back";
        QTest::newRow("NaN x") << ZoomPoints
                               << Bad([](LiveChart &c) { c.zoom->appendDatas({{"A", {{qQNaN(), 1}}}}); })
                               << "an x of nan in A";
        QTest::newRow("infinite x") << ZoomPoints
                                    << Bad([](LiveChart &c) { c.zoom->appendDatas({{"B", {{qInf(), 1}}}}); })
                                    << "an x of inf in B";
        QTest::newRow("unknown name") << ZoomPoints
                                      << Bad([](LiveChart &c) { c.zoom->appendDatas({{"C", {{60, 1}}}}); })
                                      << "no series on the chart is named C";
    }

    // A refused append warns and leaves the chart as it was: the next good
    // append lands on the samples the chart had.
    void refusedAppends()
    {
        QFETCH(Kind, kind);
        QFETCH(Bad, bad);
        QFETCH(QString, warning);
        LiveChart chart(kind, 50);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)
                                                              + ".*the append is refused"));
        bad(chart);
        chart.append(50, 1);
        QTRY_COMPARE(chart.drawn(), range(0, 51));
        QCOMPARE(chart.drawn(1), range(0, 51));
    }

    // A hidden chart draws nothing, and takes appends all the same: it
    // holds only what the retention keeps, and shows it once it is shown.
    void hiddenChart()
    {
        LiveChart chart(LinePoints, 100, 120);
        chart.widget->hide();
        for (int i = 0; i < 10; ++i)
            chart.append(100 + 10 * i, 10);
        QTRY_COMPARE(chart.probe->evalJson("[largeSeries[1].xs[largeSeries[1].first], largeSeries[1].xs[largeSeries[1].end - 1]]")
                             .toArray(), QJsonArray({80, 199}));
        QCOMPARE(chart.drawn(1), range(0, 100));
        chart.widget->show();
        QTRY_COMPARE(chart.drawn(1), range(80, 200));
    }

    void recovery_data() { addKinds({LineLabels, ZoomPoints}); }

    // A renderer that dies comes back with the retained samples, the
    // appended ones included, and without following when the host stopped it.
    void recovery()
    {
        QFETCH(Kind, kind);
        LiveChart chart(kind, 100, 120);
        chart.append(100, 40);
        chart.setFollowing(false);
        QTRY_COMPARE(chart.drawn(), range(20, 140));
        QSignalSpy loads(chart.probe->view(), &QWebEngineView::loadFinished);
        ::kill(pid_t(chart.probe->view()->page()->renderProcessPid()), SIGKILL);
        QVERIFY(loads.wait(10000));
        QVERIFY(chart.probe->attach({}));
        QTRY_COMPARE(chart.drawn(), range(20, 140));
        QCOMPARE(chart.drawn(1), range(20, 140));
        QCOMPARE(chart.probe->eval("liveFollowing").toBool(), false);
        chart.append(140, 5);
        QTRY_COMPARE(chart.drawn(), range(25, 145));
    }

    void appendAfterSetOption_data() { addKinds({ZoomLabels, ZoomPoints}); }

    // An append straight after a setOption() extends what that call draws.
    void appendAfterSetOption()
    {
        QFETCH(Kind, kind);
        LiveChart chart(kind, 100);
        chart.append(100, 5);
        chart.fill(500, 20);
        chart.append(520, 5);
        QTRY_COMPARE(chart.drawn(), range(500, 525));
        QCOMPARE(chart.drawn(1), range(500, 525));
    }
};

KZ_CHART_TEST_MAIN(tst_Live)
#include "tst_live.moc"
