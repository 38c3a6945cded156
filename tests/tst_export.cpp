#include "chartprobe.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QClipboard>
#include <QMimeData>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QXmlStreamReader>

#include <csignal>
#include <functional>
#include <memory>

// A chart under test, reached through the export members that all six have.
struct ExportedChart
{
    std::unique_ptr<QWidget> widget;
    std::function<QImage(qreal)> toImage;
    std::function<void(qreal, std::function<void(const QImage &)>)> grabImage;
    std::function<QByteArray()> toSvg;
    std::function<bool(const QString &, qreal)> saveImage;
    std::function<void(QPrinter *)> print;
    std::function<void()> copyToClipboard;
    std::function<QString()> toCsv;
    std::function<bool(const QString &)> saveCsv;
};

template <typename Chart>
ExportedChart exported(Chart *chart)
{
    chart->resize(800, 500);
    return {std::unique_ptr<QWidget>(chart),
            [chart](qreal ratio) { return chart->toImage(ratio); },
            [chart](qreal ratio, std::function<void(const QImage &)> done) { chart->grabImage(ratio, done); },
            [chart] { return chart->toSvg(); },
            [chart](const QString &file, qreal ratio) { return chart->saveImage(file, ratio); },
            [chart](QPrinter *printer) { chart->print(printer); },
            [chart] { chart->copyToClipboard(); },
            [chart] { return chart->toCsv(); },
            [chart](const QString &file) { return chart->saveCsv(file); }};
}

using ChartMaker = std::function<ExportedChart()>;
Q_DECLARE_METATYPE(ChartMaker)

// Markup and quotes in every title: they must come out as text.
static const QString title = QStringLiteral("Output </text><script>alert(1)</script> & \"q\" 'a'");

static QList<QPair<double, double>> settlement(int count, double rate)
{
    QList<QPair<double, double>> points;
    for (int i = 0; i < count; ++i)
        points.append({double(i), rate * i + (i * 7919 % 100) / 50.0});
    return points;
}

// Filled charts with a back button where they have one; the monitoring chart
// has zoom windows, alarm lines, a deselected legend entry and series long
// enough to travel as attachments.
static void addCharts()
{
    QTest::addColumn<ChartMaker>("make");
    QTest::addColumn<bool>("hasBackButton");
    QTest::newRow("bar") << ChartMaker([] {
        auto *chart = new KzChartBar;
        chart->setTitle(title);
        chart->setToolBackVisible(true);
        chart->setCategories({"Jan", "Feb", "Mar"});
        chart->setLegends({"north", "south"});
        chart->setDatas(QList<QList<int>>{{820, 932, 901}, {620, 732, 701}});
        return exported(chart);
    }) << true;
    QTest::newRow("bar, dark theme") << ChartMaker([] {
        auto *chart = new KzChartBar;
        chart->setTheme("dark");
        chart->setTitle(title);
        chart->setCategories({"Jan", "Feb"});
        chart->setLegends({"north"});
        chart->setDatas(QList<QList<int>>{{820, 932}});
        return exported(chart);
    }) << false;
    QTest::newRow("stack") << ChartMaker([] {
        auto *chart = new KzChartStack;
        chart->setTitle(title);
        chart->setToolBackVisible(true);
        chart->setCategories({"Jan", "Feb", "Mar"});
        chart->setLegends({"north", "south"}, true);
        chart->setDatas(QList<QList<double>>{{8.5, 9, 9.5}, {6, 7.25, 7}});
        return exported(chart);
    }) << true;
    QTest::newRow("pie") << ChartMaker([] {
        auto *chart = new KzChartPie;
        chart->setTitle(title);
        chart->setToolBackVisible(true);
        chart->setLegends({"coal", "wind", "solar"});
        chart->setDatas({3, 5, 2});
        return exported(chart);
    }) << true;
    QTest::newRow("donut") << ChartMaker([] {
        auto *chart = new KzChartDonut;
        chart->setTitle(title);
        chart->setToolBackVisible(true);
        chart->setLegends({"coal", "wind"}, true, true);
        chart->setDatas({3, 5});
        chart->setLabel("Total", "8");
        return exported(chart);
    }) << true;
    QTest::newRow("line") << ChartMaker([] {
        auto *chart = new KzChartLine;
        chart->setTitle(title);
        chart->setLegends({"level", "flow"}, "bottom");
        chart->setCategories({"Mon", "Tue", "Wed", "Thu"}, true, 0);
        chart->setDatas(QList<QList<double>>{{1.5, 2, 1.75, 3}, {0.5, 0.25, 1, 0.75}});
        return exported(chart);
    }) << false;
    QTest::newRow("lineZoom") << ChartMaker([] {
        auto *chart = new KzChartLineZoom;
        const int count = 6000;
        QStringList days;
        for (int i = 0; i < count; ++i)
            days.append(QStringLiteral("d%1").arg(i));
        const KzChartLineZoom::SeriesMap datas{
                {"CJ-01", settlement(count, 0.01)}, {"CJ-02", settlement(count, 0.02)}, {"CJ-03", settlement(count, 0.03)}};
        chart->setOption(1, {"CJ-01", "CJ-02", "CJ-03"}, "bottom", true, 20, 80, "8%", "12%", "6%", "15%", true, days,
                         false, 0, 0, 150, 5, 1, datas, {{90.0, {{"alarm"}, {"CJ-02"}}}}, title, "mm");
        chart->setLegendClicked({"CJ-01", "CJ-03"});
        return exported(chart);
    }) << false;
}

// The chart area's rectangle in the view, from the page.
static QRect chartArea(ChartProbe &probe)
{
    const QJsonArray r = probe.evalJson(QStringLiteral(
            "(function () { var r = mainContainer.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()"))
                                 .toArray();
    return QRect(r.at(0).toInt(), r.at(1).toInt(), r.at(2).toInt(), r.at(3).toInt());
}

// Mean absolute difference of two pictures of one size over a quarter-size
// copy of each, 0 to 1. The screen and the export of one chart differ by
// under 0.0001 (the back button aside); an export of the monitoring chart
// that lost its zoom windows differs by 0.02, one that lost the legend
// selection (one line of three) by 0.004.
static double difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 1;
    const QSize small = a.size() / 4;
    const QImage x = a.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < small.height(); ++row) {
        for (int column = 0; column < small.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * 255 * small.width() * small.height());
}

static const double sameChart = 0.001;

static int inkIn(const QImage &image, const QRect &rect)
{
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 200;
    }
    return ink;
}

static QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed (poppler-utils installed?)").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class tst_Export : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictures_data() { addCharts(); }
    void pictures();
    void drawings_data() { addCharts(); }
    void drawings();
    void csv_data();
    void csv();
    void refused_data();
    void refused();
    void chartGoneWhileWaiting_data();
    void chartGoneWhileWaiting();
    void clipboard();
};

void tst_Export::pictures()
{
    // The 1x picture is what the screen shows, toolbox aside; hidden, or
    // never shown at all, the chart exports the same picture.
    QFETCH(ChartMaker, make);
    QFETCH(bool, hasBackButton);
    ExportedChart chart = make();
    chart.widget->show();
    ChartProbe probe(chart.widget.get());
    QVERIFY(probe.attach());
    probe.disableAnimation();
    const QRect area = chartArea(probe);

    const QImage picture = chart.toImage(1);
    QCOMPARE(picture.size(), area.size());
    double shown = 1;
    QTRY_VERIFY2_WITH_TIMEOUT((shown = difference(chart.widget->grab().toImage().copy(area), picture)) < sameChart,
                              qPrintable(QStringLiteral("differs from the screen by %1").arg(shown)), 10000);
    if (hasBackButton) {
        const QPoint back = probe.textPoint(QStringLiteral("返回")) - area.topLeft();
        const QRect button(back - QPoint(12, 12), QSize(24, 24));
        QVERIFY(inkIn(chart.widget->grab().toImage().copy(area), button) > 20);
        QCOMPARE(inkIn(picture, button), 0);
    }
    QCOMPARE(chart.toImage(2).size(), area.size() * 2);
    QImage grabbed;
    chart.grabImage(3, [&grabbed](const QImage &image) { grabbed = image; });
    QTRY_COMPARE(grabbed.size(), area.size() * 3);
    QCOMPARE(grabbed.devicePixelRatio(), 3.0);

    chart.widget->hide();
    QVERIFY(difference(chart.toImage(1), picture) < sameChart);
    ExportedChart neverShown = make();
    QVERIFY(difference(neverShown.toImage(1), picture) < sameChart);
}

void tst_Export::drawings()
{
    // SVG: well-formed, the title as text, nothing that runs or loads. PDF
    // and print: vector pages whose text holds the title.
    QFETCH(ChartMaker, make);
    ExportedChart chart = make();
    const QByteArray svg = chart.toSvg();
    QVERIFY(QSvgRenderer(svg).isValid());
    QStringList texts;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        QVERIFY(reader.name() != QLatin1String("script") && reader.name() != QLatin1String("foreignObject"));
        for (const QXmlStreamAttribute &attribute : reader.attributes()) {
            const QString value = attribute.value().toString();
            QVERIFY2(!attribute.name().startsWith(QLatin1String("on")), qPrintable(attribute.name().toString()));
            QVERIFY2(!value.contains(QLatin1String("url(")) || value.startsWith(QLatin1String("url(#")), qPrintable(value));
            QVERIFY2(attribute.name() != QLatin1String("href") || value.startsWith(QLatin1Char('#')), qPrintable(value));
        }
        if (reader.name() == QLatin1String("text"))
            texts.append(reader.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QVERIFY(texts.contains(title));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(chart.saveImage(pdf, 1));
    QVERIFY(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).contains(title));
    // Only the two header lines: no picture inside.
    const QString images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    QVERIFY2(images.startsWith(QLatin1String("page")), qPrintable(images));
    QCOMPARE(images.trimmed().count(QLatin1Char('\n')), 1);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    chart.print(&printer);
    QVERIFY(run(QStringLiteral("pdfinfo"), {printer.outputFileName()}).contains(QRegularExpression("Pages: +1\n")));
    QVERIFY(run(QStringLiteral("pdftotext"), {printer.outputFileName(), QStringLiteral("-")}).contains(title));
}

void tst_Export::csv_data()
{
    // Quotes, commas and line breaks get quoted fields; rows follow the keys.
    QTest::addColumn<ChartMaker>("make");
    QTest::addColumn<QString>("csv");
    QTest::newRow("bar") << ChartMaker([] {
        auto *chart = new KzChartBar;
        chart->setCategories({"Jan", "Feb, \"late\""});
        chart->setLegends({"north", "say \"hi\"\nthere"});
        chart->setDatas(QList<QList<double>>{{1, 2}, {3.5, -0.25}});
        return exported(chart);
    }) << ",north,\"say \"\"hi\"\"\nthere\"\r\nJan,1,3.5\r\n\"Feb, \"\"late\"\"\",2,-0.25\r\n";
    QTest::newRow("stack, more values than categories") << ChartMaker([] {
        auto *chart = new KzChartStack;
        chart->setCategories({"a"});
        chart->setLegends({"s"}, true);
        chart->setDatas(QList<QList<int>>{{1, 2}});
        return exported(chart);
    }) << ",s\r\na,1\r\n1,2\r\n";
    QTest::newRow("pie") << ChartMaker([] {
        auto *chart = new KzChartPie;
        chart->setLegends({"coal", "wind"});
        chart->setDatas({3, 5});
        chart->setDatasName("Mix");
        return exported(chart);
    }) << ",Mix\r\ncoal,3\r\nwind,5\r\n";
    QTest::newRow("donut") << ChartMaker([] {
        auto *chart = new KzChartDonut;
        chart->setLegends({"coal", "wind"}, true, true);
        chart->setDatas({3, 5});
        return exported(chart);
    }) << ",\r\ncoal,3\r\nwind,5\r\n";
    QTest::newRow("line, x values of both series") << ChartMaker([] {
        auto *chart = new KzChartLine;
        chart->setLegends({"a", "b"}, "bottom");
        chart->setCategories(0, 10, 5, 1);
        chart->setDatas(QList<QList<QPair<double, double>>>{{{1.7, 10}, {3, 30}, {4, qQNaN()}},
                                                             {{2, 20}, {3, 31}, {3, 32}}});
        return exported(chart);
    }) << ",a,b\r\n1,10,\r\n2,,20\r\n3,30,31\r\n3,,32\r\n4,,\r\n";
    QTest::newRow("lineZoom, labels of the x indexes") << ChartMaker([] {
        auto *chart = new KzChartLineZoom;
        chart->setOption(1, {"CJ-01", "CJ-02"}, "bottom", true, 0, 100, "8%", "12%", "6%", "15%", true,
                         {"03-01", "03-02", "03-03"}, false, 0, 0, 10, 5, 1,
                         {{"CJ-02", {{1, 3}}}, {"CJ-01", {{0, 1.5}, {2, 2.5}}}}, {}, title, QString());
        return exported(chart);
    }) << ",CJ-01,CJ-02\r\n03-01,1.5,\r\n03-02,,3\r\n03-03,2.5,\r\n";
    QTest::newRow("empty") << ChartMaker([] { return exported(new KzChartBar); }) << QString();
}

void tst_Export::csv()
{
    QFETCH(ChartMaker, make);
    QFETCH(QString, csv);
    ExportedChart chart = make();
    QCOMPARE(chart.toCsv(), csv);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("data.csv")));
    QVERIFY(chart.saveCsv(file.fileName()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "\xEF\xBB\xBF" + csv.toUtf8());
}

void tst_Export::refused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QString>("warning");
    QTest::newRow("unknown suffix") << "chart.gif" << 1.0 << "cannot tell the format of .*chart.gif";
    QTest::newRow("no such folder") << "missing/chart.png" << 1.0 << "cannot write .*missing/chart.png";
    QTest::newRow("ratio below 1") << "chart.png" << 0.5 << "the pixel ratio 0.5 is outside 1 to 4; 1 is used";
}

void tst_Export::refused()
{
    QFETCH(QString, file);
    QFETCH(qreal, ratio);
    QFETCH(QString, warning);
    KzChartBar chart;
    chart.resize(400, 300);
    QTemporaryDir dir;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^KzChartBar::saveImage: " + warning));
    QCOMPARE(chart.saveImage(dir.filePath(file), ratio), ratio != 1.0);
    if (ratio != 1.0)
        QCOMPARE(QImage(dir.filePath(file)).size(), QSize(380, 280));
}

void tst_Export::chartGoneWhileWaiting_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("delete chart") << 0;
    QTest::newRow("deleteLater parent") << 1;
    QTest::newRow("close window deleted on close") << 2;
    QTest::newRow("renderer killed") << 3;
}

void tst_Export::chartGoneWhileWaiting()
{
    // The wait ends with a null image, and a picture asked for without
    // waiting arrives as a null image too; after a renderer's death the
    // chart exports again.
    QFETCH(int, action);
    QPointer<QWidget> window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QPointer<KzChartBar> chart = new KzChartBar(window);
    chart->setTitle(title);
    int nullImages = 0;
    chart->grabImage(1, [&nullImages](const QImage &image) { nullImages += image.isNull(); });
    QTimer::singleShot(0, window, [&] {
        switch (action) {
        case 0: delete chart; break;
        case 1: window->deleteLater(); break;
        case 2: window->close(); break;
        case 3: ::kill(pid_t(chart->findChild<QWebEngineView *>()->page()->renderProcessPid()), SIGKILL); break;
        }
    });
    QVERIFY(chart->toImage(1).isNull());
    QTRY_COMPARE(nullImages, 1);
    if (action == 3)
        QTRY_VERIFY(!chart->toImage(1).isNull());
    else
        QTRY_VERIFY(chart.isNull());
    delete window;
}

void tst_Export::clipboard()
{
    KzChartPie chart;
    chart.resize(600, 400);
    chart.setTitle(title);
    chart.copyToClipboard();
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied);
    QCOMPARE(qvariant_cast<QImage>(copied->imageData()).size(), QSize(580, 380) * chart.devicePixelRatioF());
    QVERIFY(QSvgRenderer(copied->data(QStringLiteral("image/svg+xml"))).isValid());
}

KZ_CHART_TEST_MAIN(tst_Export)
#include "tst_export.moc"
