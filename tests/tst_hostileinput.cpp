#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <functional>
#include <limits>

namespace {

// One set of texts and numbers that a row gives to every setter of a chart.
struct Input
{
    QString text;
    QStringList names;
    QList<double> values;
};

QList<int> whole(const QList<double> &values)
{
    QList<int> result;
    for (double value : values)
        result.append(qIsFinite(value) ? int(value) : 0);
    return result;
}

KzChartLineZoom::SeriesMap points(const QString &name, const QList<double> &values)
{
    QList<QPair<double, double>> row;
    for (int i = 0; i < values.size(); ++i)
        row.append({double(i), values.at(i)});
    return {{name, row}};
}

void feed(KzChartBar *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends({in.text});
    chart->setCategories(in.names);
    chart->setDatas(QList<QList<double>>{in.values});
}

void feed(KzChartStack *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setCategories(in.names);
    chart->setLegends({in.text}, true);
    chart->setDatas(QList<QList<double>>{in.values});
}

void feed(KzChartLine *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends({in.text}, in.text);
    chart->setValueRange(in.values.value(0), in.values.value(1), 5, in.values.value(2));
    chart->setCategories(in.names, true, 0);
    chart->setDatas(QList<QList<double>>{in.values});
}

void feed(KzChartPie *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends(in.names);
    chart->setDatasName(in.text);
    chart->setDatas(whole(in.values));
}

void feed(KzChartDonut *chart, const Input &in)
{
    chart->setTitle(in.text);
    chart->setLegends(in.names, true, true);
    chart->setDatas(whole(in.values));
    chart->setLabel(in.text, in.text);
}

void feed(KzChartLineZoom *chart, const Input &in)
{
    const double first = in.values.value(0);
    const KzChartLineZoom::AlarmMap alarms = {{first, {{in.text}, {in.text}}}, {1, {{in.text}, {in.text}}}};
    chart->setOption(1, {in.text}, in.text, true, 0, 100, in.text, in.text, in.text, in.text, true, in.names,
                     true, 0, first, in.values.value(1), 5, first, points(in.text, in.values), alarms, in.text,
                     in.text);
    chart->setDepthDate({{in.text, {{in.names.value(0), in.text}}}});
}

using Make = std::function<QWidget *()>;
using Feed = std::function<void(QWidget *, const Input &)>;

} // namespace

Q_DECLARE_METATYPE(Make)
Q_DECLARE_METATYPE(Feed)
Q_DECLARE_METATYPE(Input)

// Hostile data and markup through the real pages of all six charts.
class tst_HostileInput : public QObject
{
    Q_OBJECT

    template <typename Chart>
    static void addRows(const char *widget, const QList<QPair<const char *, Input>> &inputs, int million)
    {
        const Make make = [] { return new Chart; };
        const Feed feeder = [](QWidget *chart, const Input &in) { feed(static_cast<Chart *>(chart), in); };
        for (const auto &input : inputs) {
            const int seconds = input.second.names.size() >= million ? 8 : 2;
            QTest::addRow("%s %s", widget, input.first) << make << feeder << input.second << seconds;
        }
    }

private Q_SLOTS:
    void hostileInput_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<Feed>("feeder");
        QTest::addColumn<Input>("input");
        QTest::addColumn<int>("seconds"); // until the page answers again

        const double inf = std::numeric_limits<double>::infinity();
        const QString lone = QString(QChar(0xD800)) + QChar(0xDC00) + QChar(0xDFFF) + QStringLiteral("x") + QChar(0xD83D);
        const QString mebibyte = QString(1 << 20, QLatin1Char('m')) + lone;
        QStringList many;
        QList<double> manyValues;
        for (int i = 0; i < 1000000; ++i) {
            many.append(QString::number(i));
            manyValues.append(i % 1000);
        }
        const QList<QPair<const char *, Input>> inputs = {
            {"non-finite", {"t", {"a", "b", "c"}, {qQNaN(), inf, -inf}}},
            {"huge texts", {mebibyte, {mebibyte, lone}, {1, 2}}},
            {"empty", {QString(), {}, {}}},
            {"mismatched", {lone, {"a", "b", "c"}, {1}}},
            {"million", {"m", many, manyValues}},
        };
        addRows<KzChartBar>("bar", inputs, 1000000);
        addRows<KzChartStack>("stack", inputs, 1000000);
        addRows<KzChartLine>("line", inputs, 1000000);
        addRows<KzChartPie>("pie", inputs, 1000000);
        addRows<KzChartDonut>("donut", inputs, 1000000);
        addRows<KzChartLineZoom>("lineZoom", inputs, 1000000);
    }

    // Nothing crashes, the host is never held up, the page answers again in
    // time, raises no error and takes the next call.
    void hostileInput()
    {
        QFETCH(Make, make);
        QFETCH(Feed, feeder);
        QFETCH(Input, input);
        QFETCH(int, seconds);
        std::unique_ptr<QWidget> chart(make());
        ChartProbe probe(chart.get());
        chart->resize(800, 500);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        QVERIFY(probe.attach({}));
        const int errors = ChartProbe::consoleErrors().size();

        QElapsedTimer clock;
        clock.start();
        feeder(chart.get(), input);
        const qint64 host = clock.elapsed();
        QVERIFY2(host < 3000, qPrintable(QString::number(host)));
        clock.restart();
        QVERIFY(probe.eval(QStringLiteral("1")).isValid());
        qInfo("host %lld ms, page answered after %lld ms", host, clock.elapsed());
        QVERIFY(clock.elapsed() < seconds * 1000);

        clock.restart();
        feeder(chart.get(), {QStringLiteral("after"), {QStringLiteral("a")}, {1}});
        QTRY_COMPARE(probe.eval(QStringLiteral("myChart.getModel().getComponent('title').option.text")).toString(),
                     QStringLiteral("after"));
        qInfo("next call drawn after %lld ms", clock.elapsed());
        QVERIFY(clock.elapsed() < seconds * 1000);
        QCOMPARE(ChartProbe::consoleErrors().mid(errors), QStringList());
    }
};

KZ_CHART_TEST_MAIN(tst_HostileInput)

#include "tst_hostileinput.moc"
