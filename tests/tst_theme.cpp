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
        QWidget *chart = nullptr;
        const auto bars = [&](auto *bar, auto... legendOptions) {
            chart = bar;
            bar->setCategories(months);
            bar->setLegends(plants, legendOptions...);
            bar->setDatas(rows);
        };
        const auto slices = [&](auto *pie) {
            chart = pie;
            pie->setLegends(plants, true, true);
            pie->setDatas({3, 4});
        };
        if (className == "KzChartBar" || className == "KzChartStack") {
            className == "KzChartBar" ? bars(new KzChartBar) : bars(new KzChartStack, true);
        } else if (className == "KzChartPie" || className == "KzChartDonut") {
            className == "KzChartPie" ? slices(new KzChartPie) : slices(new KzChartDonut);
        } else if (className == "KzChartLine") {
            auto *line = new KzChartLine;
            chart = line;
            line->setLegends(plants, "bottom");
            line->setCategories(months, true, 0);
            line->setDataZoom(true);
            line->setDatas(rows);
        } else {
            auto *zoom = new KzChartLineZoom;
            chart = zoom;
            KzChartLineZoom::SeriesMap points;
            for (int i = 0; i < 6; ++i)
                points[plants.at(i / 3)].append({double(i % 3), rows.at(i / 3).at(i % 3)});
            zoom->setOption(1, plants, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true, months, true, 0, 0, 10,
                            5, 1, points, {{5.5, {{"Plant 2"}, {"Plant 2"}}}}, "Output", "");
        }
        chart->setProperty("title", "Output"); // all but KzChartLineZoom
        chart->resize(800, 500);
        chart->show();
        return std::unique_ptr<QWidget>(chart);
    }

    // A colour in the page; CSS gives "rgb(r, g, b)".
    static QColor pageColor(ChartProbe &probe, const char *expression)
    {
        const QString css = probe.evalJson(expression).toString();
        const QStringList rgb = css.mid(css.indexOf('(') + 1).chopped(1).split(',');
        return css.startsWith("rgb") ? QColor(rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt())
                                     : QColor(css);
    }
    static constexpr const char *titleColor = "myChart.getModel().getComponent('title').get('textStyle.color')";
    static constexpr const char *seriesColor =
            "myChart.getModel().getSeriesByIndex(0).getData().getItemVisual(0, 'color')";
    static constexpr const char *bodyColor = "getComputedStyle(document.body).backgroundColor";

    // WCAG 2's contrast ratio.
    static double contrast(const QColor &a, const QColor &b)
    {
        const auto luminance = [](const QColor &c) {
            const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        };
        return (qMax(luminance(a), luminance(b)) + 0.05) / (qMin(luminance(a), luminance(b)) + 0.05);
    }

    // Window #1c2733 with white texts.
    static QPalette darkBlue() { return QPalette(QColor("#2b333d"), QColor("#1c2733")); }

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
                {"palette", "#1c2733", Qt::white, QColor()}};
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
        // "palette" takes the widget's, also when it changes, with series
        // that stand out from it.
        QFETCH(QString, className);
        QFETCH(QString, theme);
        QFETCH(QColor, background);
        QFETCH(QColor, title);
        QFETCH(QColor, series);
        const auto chart = filled(className);
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        chart->setProperty("theme", theme);
        QCOMPARE(chart->property("theme").toString(), theme);
        chart->setPalette(darkBlue());
        QTRY_COMPARE(pageColor(probe, bodyColor), background);
        QCOMPARE(pageColor(probe, titleColor), title);
        if (series.isValid()) {
            QCOMPARE(pageColor(probe, seriesColor), series);
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
                QCOMPARE(pageColor(probe, seriesColor), QColor("#ff0000"));
        }
        QCOMPARE(pageColor(probe, titleColor), QColor("#008acd"));
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
        // The page sees no move that ends where the mouse already was, and
        // moves within one frame come as one: end a pixel off the spike.
        probe.hover(spike + QPoint(1, 0));
        QTRY_VERIFY(probe.tooltipHtml().contains("250.5"));
        probe.eval("myChart.dispatchAction({type: 'dataZoom', dataZoomIndex: 0, start: 61.5, end: 62.5})");
        QTRY_VERIFY(drawn().contains(QJsonArray{61804, values.at(61804)}));
    }

    void startsInTheme()
    {
        // A chart made after setDefaultTheme() starts in it, and a page loaded
        // again after its renderer died starts in its chart's theme, before
        // the host's calls are replayed. Charts that exist keep theirs.
        KzChartPie before;
        KzChart::setDefaultTheme("dark");
        const auto chart = filled("KzChartBar");
        ChartProbe probe(chart.get());
        const QList<std::tuple<QString, QColor, QColor>> loads{{"dark", "#eeeeee", "#333333"},
                                                               {"light", "#333333", Qt::white}};
        for (const auto &[theme, title, background] : loads) {
            if (theme == "light") {
                chart->setProperty("theme", theme);
                QSignalSpy loaded(probe.view(), &QWebEngineView::loadFinished);
                ::kill(pid_t(probe.view()->page()->renderProcessPid()), SIGKILL);
                QVERIFY(loaded.wait(10000));
            }
            QVERIFY(probe.attach());
            QCOMPARE(probe.evalJson("[chartTheme, hostTheme.name]"), QJsonValue(QJsonArray{theme, theme}));
            QCOMPARE(probe.view()->page()->backgroundColor(), background);
            QTRY_COMPARE(probe.evalJson("myChart.getOption().title[0].text"), QJsonValue("Output"));
            QCOMPARE(pageColor(probe, titleColor), title);
        }
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

    void applicationPalette()
    {
        // A "palette" chart follows the application's palette too.
        const auto chart = filled("KzChartDonut");
        ChartProbe probe(chart.get());
        QVERIFY(probe.attach());
        chart->setProperty("theme", "palette");
        QTRY_COMPARE(pageColor(probe, bodyColor), QApplication::palette().color(QPalette::Window));
        QApplication::setPalette(darkBlue());
        QTRY_COMPARE(pageColor(probe, bodyColor), QColor("#1c2733"));
        QCOMPARE(pageColor(probe, titleColor), QColor(Qt::white));
        QCOMPARE(probe.evalJson("myChart.getOption().series[0].label.rich.styleBottom.color"), QJsonValue("#ffffff"));
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
