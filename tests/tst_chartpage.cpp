#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QThread>

#include <functional>
#include <memory>

using Make = std::function<QWidget *()>;
Q_DECLARE_METATYPE(Make)

// The wall around a chart's page and the bridge through it: the page stays on
// its chart page, attachments go to their own page only, bursts of calls are
// coalesced, and calls from other threads land as if the chart's thread had
// made them.
class tst_ChartPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> open(const Make &make, std::unique_ptr<ChartProbe> &probe,
                                  const QStringList &recorded = {})
    {
        std::unique_ptr<QWidget> chart(make());
        chart->resize(700, 450);
        chart->show();
        probe.reset(new ChartProbe(chart.get()));
        if (!QTest::qWaitForWindowExposed(chart.get()) || !probe->attach(recorded))
            qFatal("The chart page did not come up");
        return chart;
    }

private Q_SLOTS:
    void staysHome_data()
    {
        QTest::addColumn<Make>("make");
        QTest::newRow("bar") << Make([] { return new KzChartBar; });
        QTest::newRow("stack") << Make([] { return new KzChartStack; });
        QTest::newRow("pie") << Make([] { return new KzChartPie; });
        QTest::newRow("donut") << Make([] { return new KzChartDonut; });
        QTest::newRow("line") << Make([] { return new KzChartLine; });
        QTest::newRow("lineZoom") << Make([] { return new KzChartLineZoom; });
    }

    // Every way out of the page is refused before a request leaves (the
    // refusal, reported as a page warning, is the marker that the attempt
    // has been decided), and the page goes on answering and drawing.
    void staysHome()
    {
        QFETCH(Make, make);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int requests = 0;
        connect(&server, &QTcpServer::newConnection, this, [&] { ++requests; });
        const QString http = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
        std::unique_ptr<ChartProbe> probe;
        const auto chart = open(make, probe);
        const QStringList attempts = {
            "location.href = '%1/href'",
            "location.href = 'file:///etc/passwd'",
            "location.href = 'data:text/html,<p>away</p>'",
            "var f = document.createElement('form'); f.method = 'post'; f.action = '%1/form';"
            " var i = document.createElement('input'); i.name = 'q'; i.value = 'secret'; f.appendChild(i);"
            " document.body.appendChild(f); f.submit()",
            "var a = document.createElement('a'); a.href = '%1/link'; document.body.appendChild(a); a.click()",
            "window.open('%1/window')",
            "history.back(); location.reload()",
        };
        // Chromium itself may refuse a file: or data: address before the
        // page is asked (Qt 6); either refusal is the marker.
        const QRegularExpression refusal(QStringLiteral("Refused|Not allowed to (load local resource|navigate top frame)"));
        for (const QString &attempt : attempts) {
            const int before = ChartProbe::consoleErrors().size();
            ChartProbe::expectPageError(refusal.pattern());
            probe->eval(QString(attempt).replace("%1", http));
            QTRY_VERIFY2(ChartProbe::consoleErrors().mid(before).filter(refusal).size() == 1, qPrintable(attempt));
        }
        QCOMPARE(requests, 0);
        if (auto *zoom = qobject_cast<KzChartLineZoom *>(chart.get()))
            zoom->setOption(1, {}, "", false, 0, 100, "", "", "", "", false, {}, false, 0, 0, 1, 1, 1, {}, {}, "home", "");
        else
            chart->setProperty("title", QStringLiteral("home"));
        QTRY_VERIFY(!probe->textPoint(QStringLiteral("home")).isNull());
        QCOMPARE(probe->eval("location.href").toString(), QStringLiteral("qrc:///ECharts/Resources/ECharts/%1")
                 .arg(probe->eval("location.pathname.split('/').pop()").toString()));
    }

    // An attachment is fetched by the page it was sent to, and by no other.
    void attachmentsStayWithTheirPage()
    {
        std::unique_ptr<ChartProbe> ownerProbe, otherProbe;
        const auto owner = open([] { return new KzChartLine; }, ownerProbe, {"fetchAttachments"});
        const auto other = open([] { return new KzChartLine; }, otherProbe);
        auto *line = static_cast<KzChartLine *>(owner.get());
        line->setLegends({"P"}, "bottom");
        line->setDatas(QList<QList<double>>{QVector<double>(6000, 1.5).toList()});
        QString id;
        QTRY_VERIFY(!(id = ownerProbe->evalJson("kzProbeLog.length && JSON.parse(kzProbeLog[0][1])[0][0]").toString())
                             .isEmpty());
        const QString fetch = QStringLiteral(
                "new Promise(function (done) { var r = new XMLHttpRequest(); r.open('GET', 'kzchartdata:%1');"
                " r.onloadend = function () { window.kzStatus = r.status; }; r.send(); }), window.kzStatus = -1");
        ownerProbe->eval(fetch.arg(id));
        otherProbe->eval(fetch.arg(id));
        QTRY_COMPARE(ownerProbe->eval("kzStatus").toInt(), 200);
        QTRY_VERIFY(otherProbe->eval("kzStatus").toInt() != -1);
        QVERIFY(otherProbe->eval("kzStatus").toInt() != 200);
    }

    // 6000 calls in one go: the page shows what the last calls set and
    // answers soon after the burst, having drawn only a few of them.
    void burstIsCoalesced()
    {
        std::unique_ptr<ChartProbe> probe;
        const auto chart = open([] { return new KzChartBar; }, probe, {"setChartOption"});
        auto *bar = static_cast<KzChartBar *>(chart.get());
        for (int i = 1; i <= 3000; ++i) {
            bar->setTitle(QStringLiteral("title %1").arg(i));
            bar->setSubTitle(QStringLiteral("subtitle %1").arg(i));
        }
        QElapsedTimer sinceBurst;
        sinceBurst.start();
        QTRY_COMPARE(probe->evalJson("[myChart.getOption().title[0].text, myChart.getOption().title[0].subtext]"),
                     QJsonValue(QJsonArray{"title 3000", "subtitle 3000"}));
        // 0.2-0.5 s here, ten calls run; one call after the other, the page
        // would take minutes.
        const int scale = qMax(1, qEnvironmentVariableIntValue("KZCHART_TEST_TIME_SCALE"));
        QVERIFY2(sinceBurst.elapsed() < 5000 * scale, qPrintable(QString::number(sinceBurst.elapsed())));
        QVERIFY(probe->eval("kzProbeLog.length").toInt() < 100);
    }

    // Setters called on a worker thread warn once and land on the page in
    // their order; getters answer from the chart's thread.
    void otherThreads()
    {
        std::unique_ptr<ChartProbe> probe;
        const auto chart = open([] { return new KzChartLine; }, probe);
        auto *line = static_cast<KzChartLine *>(chart.get());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setTitle.* on another thread"));
        QString title;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            for (int i = 0; i < 200; ++i)
                line->setTitle(QStringLiteral("worker %1").arg(i));
            line->setLegends({"A", "B"}, "bottom");
            line->setDatas(QList<QList<double>>{{1, 2}, {3, 4}});
            title = line->title();
        }));
        worker->start();
        QTRY_VERIFY(worker->isFinished());
        QCOMPARE(title, QStringLiteral("worker 199"));
        QTRY_COMPARE(probe->evalJson("myChart.getOption().series.map(function (s) { return s.name; })"),
                     QJsonValue(QJsonArray{"A", "B"}));
        QCOMPARE(probe->evalJson("myChart.getOption().title[0].text"), QJsonValue("worker 199"));
    }
};

KZ_CHART_TEST_MAIN(tst_ChartPage)
#include "tst_chartpage.moc"
