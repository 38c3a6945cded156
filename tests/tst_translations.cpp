#include "chartprobe.h"

#include <kzchartlinezoom.h>
#include <kzchartstack.h>

#include <QApplication>
#include <QTest>
#include <QTranslator>

// The English translation compiled into the library changes the texts that
// the library writes into a chart itself; without it they stay as written.
class tst_Translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageTexts_data()
    {
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("stackName");
        QTest::addColumn<QString>("alarmLabel");
        QTest::newRow("none") << QString() << QStringLiteral("总量") << QStringLiteral("报警值: 2.5");
        QTest::newRow("English") << QStringLiteral(":/KzChartWidget/translations/kzchartwidget_en.qm")
                                 << QStringLiteral("Total") << QStringLiteral("Alarm: 2.5");
    }

    void pageTexts()
    {
        QFETCH(QString, translation);
        QFETCH(QString, stackName);
        QFETCH(QString, alarmLabel);
        QTranslator translator; // leaves the application when destroyed
        if (!translation.isEmpty()) {
            QVERIFY(translator.load(translation));
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        KzChartStack stack;
        stack.setLegends({QStringLiteral("A")}, true);
        stack.setDatas(QList<QList<int>>{{1}});
        KzChartLineZoom lines;
        lines.setOption(1, {QStringLiteral("A")}, QStringLiteral("bottom"), true, 0, 100, {}, {}, {}, {}, true,
                        {QStringLiteral("d1"), QStringLiteral("d2")}, true, 0, 0, 10, 5, 1,
                        {{QStringLiteral("A"), {{0, 1}, {1, 2}}}},
                        {{2.5, {{QStringLiteral("上限")}, {QStringLiteral("A")}}}},
                        QStringLiteral("title"), {});
        ChartProbe stackProbe(&stack);
        ChartProbe linesProbe(&lines);
        QVERIFY(stackProbe.attach({}) && linesProbe.attach({}));
        QTRY_COMPARE(stackProbe.evalJson("myChart.getOption().series[0].stack").toString(), stackName);
        QTRY_COMPARE(linesProbe.evalJson("myChart.getOption().series[0].markLine.label.formatter").toString(),
                     alarmLabel);
    }
};

KZ_CHART_TEST_MAIN(tst_Translations)
#include "tst_translations.moc"
