#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartpie.h>

#include <QDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <csignal>

// What a host may do around a chart's page: build charts in slots that a page
// event raised, act during the wait for the page, outlive the page's renderer.
class tst_Lifetime : public QObject
{
    Q_OBJECT

    enum Action { Setter, DeleteChart, DeleteParent, DeleteParentLater, CloseWindow, Quit };

private Q_SLOTS:
    void drillDown();
    void rendererDeath();
    void duringPageLoad_data();
    void duringPageLoad(); // last: its last row quits the application's loop
};

static QString titleOf(ChartProbe &probe)
{
    return probe.evalJson(QStringLiteral("myChart.getOption().title[0].text")).toString();
}

static void checkDetail(KzChartPie *pie)
{
    ChartProbe probe(pie);
    QVERIFY(probe.attach());
    QTRY_COMPARE(titleOf(probe), QStringLiteral("south"));
    QSignalSpy slices(pie, &KzChartPie::categoryClicked);
    probe.disableAnimation();
    probe.click(probe.slicePoint(1));
    QVERIFY(slices.wait());
    QCOMPARE(slices.at(0).at(0).toString(), QStringLiteral("wind"));
}

void tst_Lifetime::drillDown()
{
    // Each click on a bar's label opens a pie in a modal dialog from the
    // click's slot (a direct connection, as hosts write it), checked while the
    // dialog runs; the last click also throws the clicked chart away.
    QPointer<KzChartBar> bar = new KzChartBar;
    bar->resize(800, 500);
    bar->show();
    ChartProbe barProbe(bar);
    QVERIFY(barProbe.attach());
    bar->setCategories({"north", "south"});
    int clicks = 0;
    connect(bar.data(), &KzChartBar::categoryClicked, this, [&](const QString &category) {
        QDialog dialog;
        auto *pie = new KzChartPie(&dialog);
        new QHBoxLayout(&dialog);
        dialog.layout()->addWidget(pie);
        dialog.resize(600, 400);
        pie->setTitle(category);
        pie->setLegends({"coal", "wind"});
        pie->setDatas({3, 5});
        QTimer::singleShot(0, &dialog, [&] { checkDetail(pie); dialog.accept(); });
        dialog.exec();
        if (++clicks == 3)
            bar->deleteLater();
    });
    QPoint label;
    QTRY_VERIFY(!(label = barProbe.textPoint("south")).isNull());
    for (int i = 1; i <= 3; ++i) {
        QSignalSpy raised(bar.data(), &KzChartBar::categoryClicked);
        barProbe.click(label);
        QVERIFY(raised.wait(20000));
    }
    QTRY_VERIFY(bar.isNull());
}

void tst_Lifetime::rendererDeath()
{
    // The chart comes back by itself, as the host last set it: the calls are
    // replayed, merged ones included (the surplus second series stays), and
    // it takes setters again.
    KzChartBar chart;
    chart.show();
    ChartProbe probe(&chart);
    QVERIFY(probe.attach());
    chart.setLegends({"north", "south"});
    chart.setDatas(QList<QList<int>>{{1, 2}, {3, 4}});
    chart.clearChart();
    chart.setCategories({"Mar", "Apr"});
    chart.setLegends({"east"});
    chart.setDatas(QList<QList<int>>{{5, 6}});
    chart.setDatas(QList<QList<int>>{{7, 8}});
    QTRY_COMPARE(probe.evalJson("myChart.getOption().series[0].data").toArray(), QJsonArray({7, 8}));
    const QJsonObject before = probe.option();

    QSignalSpy loads(probe.view(), &QWebEngineView::loadFinished);
    ::kill(pid_t(probe.view()->page()->renderProcessPid()), SIGKILL);
    QVERIFY(loads.wait(10000));
    QVERIFY(probe.attach());
    QTRY_COMPARE(probe.option(), before);
    chart.setTitle("again");
    QTRY_COMPARE(titleOf(probe), QStringLiteral("again"));
}

void tst_Lifetime::duringPageLoad_data()
{
    QTest::addColumn<int>("action");
    const char *const names[] = {"setter", "delete chart", "delete parent", "deleteLater parent",
                                 "close window deleted on close", "quit"};
    for (int action = Setter; action <= Quit; ++action)
        QTest::newRow(names[action]) << action;
}

void tst_Lifetime::duringPageLoad()
{
    // The action runs from the wait's first event and ends the wait at once;
    // after a quit, setters still reach the page and the application's loop
    // still quits once it runs (exit(): Qt 6's quit() needs that loop running).
    QFETCH(int, action);
    QPointer<QWidget> window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QTimer::singleShot(0, window, [&] {
        auto *chart = window->findChild<KzChartBar *>();
        switch (action) {
        case Setter: chart->setTitle(QStringLiteral("set")); break;
        case DeleteChart: delete chart; break;
        case DeleteParent: delete window; break;
        case DeleteParentLater: window->deleteLater(); break;
        case CloseWindow: window->close(); break;
        case Quit: QCoreApplication::exit(0); break;
        }
    });
    auto *chart = new KzChartBar(window);
    if (action == Quit)
        chart->setTitle(QStringLiteral("set"));
    if (action == Setter || action == Quit) {
        ChartProbe probe(chart);
        QVERIFY(probe.attach());
        QTRY_COMPARE(titleOf(probe), QStringLiteral("set"));
    } else if (action == DeleteChart) {
        QVERIFY(!window->findChild<KzChartBar *>());
    } else {
        QTRY_VERIFY(window.isNull());
    }
    if (action == Quit) {
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
    delete window;
}

KZ_CHART_TEST_MAIN(tst_Lifetime)
#include "tst_lifetime.moc"
