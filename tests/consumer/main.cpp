// An application built against an installed KzChartWidget: every chart is
// constructed, and each page must then have started a chart with the ECharts
// compiled into the installed library; one chart prints, which needs Qt
// Print Support from the package's dependencies.
#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>
#include <memory>

static bool chartRuns(QWidget *chart)
{
    auto ready = std::make_shared<bool>(false);
    auto loop = std::make_shared<QEventLoop>();
    chart->findChild<QWebEngineView *>()->page()->runJavaScript(
            QStringLiteral("!!myChart.getOption()"), [ready, loop](const QVariant &value) {
                *ready = value.toBool();
                loop->quit();
            });
    QTimer::singleShot(10000, loop.get(), &QEventLoop::quit);
    loop->exec();
    return *ready;
}

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    KzChartBar bar;
    KzChartStack stack;
    KzChartLine line;
    KzChartPie pie;
    KzChartDonut donut;
    KzChartLineZoom lineZoom;
    for (QWidget *chart : QList<QWidget *>{&bar, &stack, &line, &pie, &donut, &lineZoom}) {
        if (!chartRuns(chart)) {
            std::fprintf(stderr, "%s shows no chart\n", chart->metaObject()->className());
            return 1;
        }
    }
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("bar.pdf")));
    bar.print(&printer);
    if (QFileInfo(printer.outputFileName()).size() == 0) {
        std::fprintf(stderr, "KzChartBar printed nothing\n");
        return 1;
    }
    return 0;
}
