#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QTranslator>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cmath>
#include <csignal>
#include <functional>
#include <memory>

// Themes through the real page: what each theme draws, what a switch keeps,
// palettes that change, reloads, and what screen readers are told.
class tst_Theme : public QObject
{
    Q_OBJECT

    using Reals = QList<QList<double>>;
    const QStringList classes = {"KzChartBar", "KzChartStack", "KzChartPie", "KzChartDonut", "KzChartLine",
                                 "KzChartLineZoom"};

    // A shown chart of className titled "Output" with the series (slices)
    // "Plant 1" and "Plant 2" over three months, the last values 3.25 and 6.5.
    std::unique_ptr<QWidget> filled(const QString &className)
    {
        const QStringList months{"Jan", "Feb", "Mar"}, plants{"Plant 1", "Plant 2"};
        const Reals rows{{1, 2, 3.25}, {4, 5, 6.5}};
        std::unique_ptr<QWidget> chart;
        if (className == "KzChartBar") {
            auto *bar = new KzChartBar;
            chart.reset(bar);
            bar->setCategories(months);
            bar->setLegends(plants);
            bar->setDatas(rows);
        } else if (className == "KzChartStack") {
            auto *stack = new KzChartStack;
            chart.reset(stack);
            stack->setCategories(months);
            stack->setLegends(plants, true);
            stack->setDatas(rows);
        } else if (className == "KzChartPie" || className == "KzChartDonut") {
            const auto slices = [&](auto *pie) {
                chart.reset(pie);
                pie->setLegends(plants, true, true);
                pie->setDatas({3, 4});
            };
            className == "KzChartPie" ? slices(new KzChartPie) : slices(new KzChartDonut);
        } else if (className == "KzChartLine") {
            auto *line = new KzChartLine;
            chart.reset(line);
            line->setLegends(plants, "bottom");
            line->setCategories(months, true, 0);
            line->setDataZoom(true);
            line->setDatas(rows);
        } else {
            auto *zoom = new KzChartLineZoom;
            chart.reset(zoom);
            KzChartLineZoom::SeriesMap points;
            for (int row = 0; row < 2; ++row) {
                for (int i = 0; i < 3; ++i)
                    points[plants.at(row)].append({double(i), rows.at(row).at(i)});
            }
            zoom->setOption(1, plants, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, months, true, 0, 0, 10,
                            5, 1, points, {{5.5, {{"Plant 2"}, {"Plant 2"}}}}, "Output", "");
        }
        chart->setProperty("title", "Output"); // all but KzChartLineZoom
        chart->resize(800, 500);
        chart->show();
        return chart;
    }

    // The colour of a page expression as #rrggbb; CSS colours come as "rgb(r, g, b)".
    static QColor pageColor(ChartProbe &probe, const QString &expression)
    {
        const QString css = probe.evalJson(expression).toString();
        const QStringList rgb = css.mid(css.indexOf('(') + 1).chopped(1).split(',');
        return css.startsWith("rgb") ? QColor(rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt())
                                     : QColor(css);
    }
    static QColor titleColor(ChartProbe &probe)
    {
        return pageColor(probe, "myChart.getModel().getComponent('title').get('textStyle.color')");
    }
    static QColor seriesColor(ChartProbe &probe)
    {
        return pageColor(probe, "myChart.getModel().getSeriesByIndex(0).getData().getItemVisual(0, 'color')");
    }
    static QColor bodyColor(ChartProbe &probe)
    {
        return pageColor(probe, "getComputedStyle(document.body).backgroundColor");
    }

    static double luminance(const QColor &color)
    {
        double sum = 0;
        const double weights[] = {0.2126, 0.7152, 0.0722};
        const double channels[] = {color.redF(), color.greenF(), color.blueF()};
        for (int i = 0; i < 3; ++i) {
            const double c = channels[i];
            sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return sum;
    }
    static double contrast(const QColor &a, const QColor &b)
    {
        return (qMax(luminance(a), luminance(b)) + 0.05) / (qMin(luminance(a), luminance(b)) + 0.05);
    }

    static QPalette darkBlue()
    {
        QPalette palette;
        palette.setColor(QPalette::Window, QColor("#1c2733"));
        palette.setColor(QPalette::WindowText, QColor("#dfe6ee"));
        palette.setColor(QPalette::Base, QColor("#111a22"));
        palette.setColor(QPalette::Mid, QColor("#4a5866"));
        palette.setColor(QPalette::Highlight, QColor("#3d8fd1"));
        return palette;
    }

    // What a theme switch must keep, as the page holds it.
    static QJsonValue shown(ChartProbe &probe)
    {
        return probe.evalJson(
                "(function (o) { return {"
                "  data: o.series.map(function (s) { return s.data; }),"
                "  alarms: o.series.map(function (s) { return s.markLine ? s.markLine.data : null; }),"
                "  zoom: (o.dataZoom || []).map(function (z) { return [z.start, z.end]; }),"
                "  selected: o.legend[0].selected,"
                "  back: o.toolbox ? o.toolbox[0].feature.myToolBack.show : null"
                "}; })(myChart.getOption())");
    }

    QPalette m_palette;
    QLocale m_locale;

private Q_SLOTS:
    void initTestCase()
    {
        m_palette = QApplication::palette();
        m_locale = QLocale();
    }

    void cleanup()
    {
        KzChart::setDefaultTheme("macarons");
        QApplication::setPalette(m_palette);
        QLocale::setDefault(m_locale);
    }

    void themes_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("title");
        QTest::addColumn<QColor>("series"); // invalid: one that stands out from the background by 3:1
        const QList<std::tuple<QString, QColor, QColor, QColor>> themes{
                {"macarons", Qt::white, "#008acd", "#2ec7c9"},
                {"light", Qt::white, "#333333", "#37a2da"},
                {"dark", "#333333", "#eeeeee", "#dd6b66"},
                {"palette", "#1c2733", "#dfe6ee", QColor()}};
        for (const QString &className : classes) {
            for (const auto &theme : themes) {
                QTest::addRow("%s %s", qPrintable(className), qPrintable(std::get<0>(theme)))
                        << className << std::get<0>(theme) << std::get<1>(theme) << std::get<2>(theme)
                        << std::get<3>(theme);
            }
        }
    }

    void themes()
    {
        // The page, its chart and the pixels drawn take the theme's colours;
        // "palette" takes the widget's, with series that stand out from it.
        QFETCH(QString, className);
        QFETCH(QString, theme);
        QFETCH(QColor, background);
        QFETCH(QColor, title);
        QFETCH(QColor, series);
        const auto chart = filled(className);
        chart->setPalette(darkBlue());
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        chart->setProperty("theme", theme);
        QCOMPARE(chart->property("theme").toString(), theme);
        QTRY_COMPARE(bodyColor(probe), background);
        QCOMPARE(titleColor(probe), title);
        if (series.isValid()) {
            QCOMPARE(seriesColor(probe), series);
        } else {
            for (const QJsonValue &color : probe.evalJson("myChart.getModel().get('color')").toArray())
                QVERIFY2(contrast(QColor(color.toString()), background) >= 3.0, qPrintable(color.toString()));
        }
        // Around the chart and in the plot's empty corner.
        const auto pixels = [&] {
            const QImage image = chart->grab().toImage();
            return QList<QColor>{image.pixelColor(image.width() - 5, image.height() - 5), image.pixelColor(12, 12)};
        };
        QTRY_COMPARE(pixels(), QList<QColor>({background, background}));
    }

    void switchKeeps_data()
    {
        QTest::addColumn<QString>("className");
        for (const QString &className : classes)
            QTest::newRow(qPrintable(className)) << className;
    }

    void switchKeeps()
    {
        // Data, alarm lines, zoom window, legend selection, colours and the
        // back button survive a switch to dark and back, and no colour of the
        // dark theme stays behind.
        QFETCH(QString, className);
        const auto chart = filled(className);
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        if (className != "KzChartLineZoom") // its setColors() rebuilds the chart
            chart->setProperty("colors", QStringList{"#ff0000", "#00aa00"});
        chart->setProperty("toolBackVisible", true);
        probe.eval("myChart.dispatchAction({type: 'legendUnSelect', name: 'Plant 2'});"
                   "myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 20, end: 60})");
        const QJsonValue before = shown(probe);
        QCOMPARE(before["selected"]["Plant 2"], QJsonValue(false));
        for (const QString theme : {"dark", "macarons"}) {
            chart->setProperty("theme", theme);
            QTRY_COMPARE(probe.eval("chartTheme").toString(), theme);
            QCOMPARE(shown(probe), before);
            if (className != "KzChartLineZoom")
                QCOMPARE(seriesColor(probe), QColor("#ff0000"));
        }
        QCOMPARE(titleColor(probe), QColor("#008acd"));
        QVERIFY(!probe.evalJson("myChart.getOption().backgroundColor").isString());
    }

    void switchKeepsLongSeries()
    {
        // A reduced series comes back reduced, cut for the zoom that the user
        // chose; its full points stay at hand for the next zoom, and the point
        // under the mouse gets its tooltip again.
        KzChartLine chart;
        chart.resize(900, 500);
        chart.show();
        ChartProbe probe(&chart);
        QVERIFY(probe.attach());
        QList<double> values;
        for (int i = 0; i < 100000; ++i)
            values.append(i == 61803 ? 250.5 : 100 + 10 * std::sin(i / 5000.0));
        chart.setLegends({"P"}, "bottom");
        chart.setCategories(0, 100000, 5, 1);
        chart.setDataZoom(true);
        chart.setToolTip(0);
        chart.setDatas(Reals{values});
        const auto drawn = [&] { return probe.evalJson("(myChart.getOption().series[0] || {}).data || []").toArray(); };
        QTRY_VERIFY(drawn().contains(QJsonArray{61803, 250.5}));
        probe.eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 50, end: 70})");
        const QPoint spike = probe.viewPoint("myChart.convertToPixel({seriesIndex: 0}, [61803, 250.5])");
        probe.hover(spike);
        QTRY_VERIFY(probe.tooltipHtml().contains("250.5"));
        const QJsonArray before = drawn();
        chart.setTheme("dark");
        QTRY_COMPARE(probe.eval("chartTheme").toString(), QStringLiteral("dark"));
        QCOMPARE(drawn(), before);
        QVERIFY(before.size() < 5000);
        probe.hover(spike + QPoint(0, 40));
        probe.hover(spike);
        QTRY_VERIFY(probe.tooltipHtml().contains("250.5"));
        probe.eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 61.5, end: 62.5})");
        QTRY_VERIFY(drawn().contains(QJsonArray{61804, values.at(61804)}));
    }

    void reloadKeepsTheme()
    {
        // A page loaded again after its renderer died creates its chart in
        // the chart's theme before the host's calls are replayed.
        const auto chart = filled("KzChartBar");
        static_cast<KzChartBar *>(chart.get())->setTheme("dark");
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        QTRY_COMPARE(probe.eval("chartTheme").toString(), QStringLiteral("dark"));
        QSignalSpy loads(probe.view(), &QWebEngineView::loadFinished);
        ::kill(pid_t(probe.view()->page()->renderProcessPid()), SIGKILL);
        QVERIFY(loads.wait(10000));
        QVERIFY(probe.attach());
        QCOMPARE(probe.evalJson("hostTheme.name"), QJsonValue("dark"));
        QTRY_COMPARE(probe.evalJson("myChart.getOption().title[0].text"), QJsonValue("Output"));
        QCOMPARE(titleColor(probe), QColor("#eeeeee"));
        QCOMPARE(probe.view()->page()->backgroundColor(), QColor("#333333"));
    }

    void defaultTheme()
    {
        // Charts made afterwards start in the default; those that exist keep theirs.
        KzChartPie before;
        KzChart::setDefaultTheme("dark");
        KzChartPie after;
        ChartProbe probe(&after);
        QVERIFY(probe.attach());
        QCOMPARE(probe.eval("chartTheme").toString(), QStringLiteral("dark"));
        QCOMPARE(probe.view()->page()->backgroundColor(), QColor("#333333"));
        QCOMPARE(after.theme(), QStringLiteral("dark"));
        QCOMPARE(before.theme(), QStringLiteral("macarons"));
    }

    void unknownTheme()
    {
        // Refused with a warning: the chart and the default stay, and the page hears nothing.
        KzChartStack chart;
        ChartProbe probe(&chart);
        QVERIFY(probe.attach({"setChartTheme", "setChartOption"}));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("KzChartStack::setTheme: refused the unknown theme \"Dark\""));
        chart.setTheme("Dark");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("KzChart::setDefaultTheme: refused the unknown theme \"\""));
        KzChart::setDefaultTheme("");
        chart.setTitle("marker");
        QTRY_COMPARE(probe.evalJson("kzProbeLog.map(function (call) { return call[0]; })"),
                     QJsonValue(QJsonArray{"setChartOption"}));
        QCOMPARE(chart.theme(), QStringLiteral("macarons"));
        QCOMPARE(KzChartStack().theme(), QStringLiteral("macarons"));
    }

    void paletteFollows_data()
    {
        QTest::addColumn<bool>("application");
        QTest::newRow("widget") << false;
        QTest::newRow("application") << true;
    }

    void paletteFollows()
    {
        // A "palette" chart redraws in the colours of a new palette, the
        // widget's own or the application's.
        QFETCH(bool, application);
        const auto chart = filled("KzChartDonut");
        static_cast<KzChartDonut *>(chart.get())->setTheme("palette");
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        QTRY_COMPARE(bodyColor(probe), chart->palette().color(QPalette::Window));
        if (application)
            QApplication::setPalette(darkBlue());
        else
            chart->setPalette(darkBlue());
        QTRY_COMPARE(bodyColor(probe), QColor("#1c2733"));
        QCOMPARE(titleColor(probe), QColor("#dfe6ee"));
        QCOMPARE(probe.evalJson("myChart.getOption().series[0].label.rich.styleBottom.color"),
                 QJsonValue("#dfe6ee"));
    }

    void describes_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("lastValue");
        QTest::addColumn<QString>("english"); // the whole description with the English translation
        const QStringList kinds{"柱状图", "堆叠柱状图", "饼图", "环形图", "折线图", "监测曲线图"};
        for (int i = 0; i < classes.size(); ++i)
            QTest::newRow(qPrintable(classes.at(i))) << classes.at(i) << kinds.at(i) << (i >= 4 ? "6.5" : "") << "";
        QTest::newRow("KzChartLine, English")
                << "KzChartLine" << "Line chart" << "6.5"
                << "Line chart, 2 series: Plant 1 (3 points, last value 3.25) and Plant 2 (3 points, last value 6.5)";
        QTest::newRow("KzChartPie, English") << "KzChartPie" << "Pie chart" << ""
                                             << "Pie chart, 2 slices: Plant 1 and Plant 2";
    }

    void describes()
    {
        // The accessible name is the title, or the kind of chart without one;
        // the description names the series (and, for lines, their last
        // values), as ECharts' own description in the page does.
        QFETCH(QString, className);
        QFETCH(QString, kind);
        QFETCH(QString, lastValue);
        QFETCH(QString, english);
        QTranslator translator;
        if (!english.isEmpty()) {
            QVERIFY(translator.load(":/KzChartWidget/translations/kzchartwidget_en.qm"));
            QCoreApplication::installTranslator(&translator);
            QLocale::setDefault(QLocale::English); // lists "a and b"
        }
        const auto chart = filled(className);
        QCOMPARE(chart->accessibleName(), QStringLiteral("Output"));
        const QString description = chart->accessibleDescription();
        QVERIFY2(description.startsWith(kind) && description.contains("Plant 1") && description.contains("Plant 2")
                         && description.contains(lastValue), qPrintable(description));
        if (!english.isEmpty())
            QCOMPARE(description, english);
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        QTRY_VERIFY(probe.eval("mainContainer.getAttribute('aria-label') || ''").toString().contains("Plant 2"));
        if (chart->setProperty("title", QString()))
            QCOMPARE(chart->accessibleName(), kind);
    }

    void highDpi()
    {
        // At any device pixel ratio (the suite runs this again at
        // QT_SCALE_FACTOR=2) the canvas has that many pixels per CSS pixel.
        KzChartLine chart;
        chart.resize(600, 400);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        ChartProbe probe(&chart);
        QVERIFY(probe.attach());
        const double ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
        QCOMPARE(chart.devicePixelRatioF(), ratio);
        QCOMPARE(probe.eval("window.devicePixelRatio").toDouble(), ratio);
        const QJsonArray sizes = probe.evalJson("(function (c) { return [c.width, c.getBoundingClientRect().width]; })"
                                                "(mainContainer.querySelector('canvas'))").toArray();
        QCOMPARE(sizes.at(0).toDouble(), sizes.at(1).toDouble() * ratio);
    }
};

KZ_CHART_TEST_MAIN(tst_Theme)
#include "tst_theme.moc"
