#ifndef CHARTCHECKS_H
#define CHARTCHECKS_H

#include "chartprobe.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

// Set-up and checks that every chart with the common setters shares.
// They are templates over the widget class, whose members share names but no
// base class; call them from a test function and QVERIFY nothing afterwards:
// a failure inside has already been recorded and ends the test function.

// Shows a new chart of class Chart, waits for its window and attaches a probe
// to its page. The caller deletes both.
template <typename Chart>
void openChart(Chart *&chart, ChartProbe *&probe)
{
    chart = new Chart;
    chart->resize(800, 500);
    chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    probe = new ChartProbe(chart);
    QVERIFY(probe->attach());
}

// The common setters send the same fragments on every chart that has them.
template <typename Chart>
void checkCommonSetters(Chart *chart, ChartProbe *probe)
{
    chart->setTitle(QStringLiteral("Output \"%1\""));
    QCOMPARE(probe->nextFragment(), QJsonObject({{"title", QJsonObject{{"text", "Output \"%1\""}}}}));
    chart->setSubTitle(QStringLiteral("吨"));
    QCOMPARE(probe->nextFragment(), QJsonObject({{"title", QJsonObject{{"subtext", "吨"}}}}));
    chart->setColors({});
    QCOMPARE(probe->nextFragment(), QJsonObject({{"color", QJsonArray()}}));
    chart->setToolBackVisible(false);
    const QJsonObject hidden{{"toolbox", QJsonObject{{"feature", QJsonObject{{"myToolBack", QJsonObject{{"show", false}}}}}}}};
    QCOMPARE(probe->nextFragment(), hidden);
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

// The widget's own meta-object members are the two signals and then the two
// slots that relay to them; calling a slot emits its signal.
template <typename Chart>
void checkRelays(Chart *chart)
{
    const QMetaObject *meta = chart->metaObject();
    QCOMPARE(meta->superClass(), &QWidget::staticMetaObject);
    const QList<QPair<QByteArray, QMetaMethod::MethodType>> expected = {
        {"categoryClicked(QString)", QMetaMethod::Signal},
        {"toolBackClicked()", QMetaMethod::Signal},
        {"clickedCategory(QString)", QMetaMethod::Slot},
        {"clickedToolBack()", QMetaMethod::Slot},
    };
    QCOMPARE(meta->methodCount() - meta->methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected.at(i).first);
        QCOMPARE(method.methodType(), expected.at(i).second);
    }

    QSignalSpy categories(chart, &Chart::categoryClicked);
    QSignalSpy backs(chart, &Chart::toolBackClicked);
    chart->clickedCategory(QStringLiteral("any % text"));
    chart->clickedToolBack();
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("any % text"));
    QCOMPARE(backs.size(), 1);
}

#endif // CHARTCHECKS_H
