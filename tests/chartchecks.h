#ifndef CHARTCHECKS_H
#define CHARTCHECKS_H

#include "chartprobe.h"

#include <QSignalSpy>
#include <QTest>

// Set-up and checks shared by the bar, pie, donut and stacked bar tests. They
// are templates over the widget class, whose members share names but no base
// class; call them last in a test function: a failure inside has already been
// recorded and ends the test function.

// The number of setChartOption calls the page has received so far: a refused
// call that was sent all the same shows in it.
inline int fragmentCount(ChartProbe *probe) { return probe->calls(QStringLiteral("setChartOption")).size(); }

// Shows a new chart, waits for its window and attaches a probe to its page.
// The caller deletes both.
template <typename Chart>
void openChart(Chart *&chart, ChartProbe *&probe)
{
    chart = new Chart;
    probe = new ChartProbe(chart);
    chart->resize(800, 500);
    chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    QVERIFY(probe->attach());
}

// The common setters send the same fragments on every chart; the two public
// slots, which the page calls, emit the widget's signals.
template <typename Chart>
void checkCommonSetters(Chart *chart, ChartProbe *probe)
{
    chart->setTitle(QStringLiteral("Output '%1' 100%"));
    QCOMPARE(probe->nextFragment(), json(R"({"title": {"text": "Output '%1' 100%"}})"));
    chart->setSubTitle(QStringLiteral("吨"));
    QCOMPARE(probe->nextFragment(), json(R"({"title": {"subtext": "吨"}})"));
    chart->setColors({QStringLiteral("#ff0000"), QStringLiteral("green")});
    QCOMPARE(probe->nextFragment(), json(R"({"color": ["#ff0000", "green"]})"));
    chart->setToolBackVisible(false);
    QCOMPARE(probe->nextFragment(), json(R"({"toolbox": {"feature": {"myToolBack": {"show": false}}}})"));

    QSignalSpy categories(chart, &Chart::categoryClicked);
    QSignalSpy backs(chart, &Chart::toolBackClicked);
    chart->clickedCategory(QStringLiteral("any % text"));
    chart->clickedToolBack();
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("any % text"));
    QCOMPARE(backs.size(), 1);
}

// The back button is hidden at first; setToolBackVisible(true) shows it, a
// real click on it emits toolBackClicked() once, and hidden again it takes no
// clicks.
template <typename Chart>
void checkBackButton(Chart *chart, ChartProbe *probe)
{
    QSignalSpy backs(chart, &Chart::toolBackClicked);
    QSignalSpy categories(chart, &Chart::categoryClicked);
    QVERIFY(probe->textPoint(QStringLiteral("返回")).isNull());

    chart->setToolBackVisible(true);
    QPoint button;
    QTRY_VERIFY(!(button = probe->textPoint(QStringLiteral("返回"))).isNull());
    probe->click(button);
    QVERIFY(backs.wait());
    QTest::qWait(300);
    QCOMPARE(backs.size(), 1);

    chart->setToolBackVisible(false);
    QTRY_VERIFY(probe->textPoint(QStringLiteral("返回")).isNull());
    probe->click(button);
    QTest::qWait(300);
    QCOMPARE(backs.size(), 1);
    QCOMPARE(categories.size(), 0);
}

#endif // CHARTCHECKS_H
