// An application built against an installed KzChartWidget: every chart is
// constructed and given data, and each page must then draw series with the
// ECharts compiled into the installed library.
#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>
#include <memory>

static bool chartRuns(QWidget *chart)
{
    auto ready = std::make_shared<bool>(false);
    QEventLoop loop;
    chart->findChild<QWebEngineView *>()->page()->runJavaScript(
            QStringLiteral("myChart.getOption().series.length > 0"), [ready, &loop](const QVariant &value) {
                *ready = value.toBool();
                loop.quit();
            });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return *ready;
}

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList names{QStringLiteral("A"), QStringLiteral("B")};
    const QList<QList<int>> rows{{1, 2}, {3, 4}};

    // Series only: that is what the check looks for.
    KzChartBar bar;
    bar.setLegends(names);
    bar.setDatas(rows);
    KzChartStack stack;
    stack.setLegends(names, true);
    stack.setDatas(rows);
    KzChartLine line;
    line.setLegends(names, QString());
    line.setDatas(rows);
    KzChartPie pie;
    pie.setLegends(names);
    pie.setDatas({1, 2});
    KzChartDonut donut;
    donut.setLegends(names, true, true);
    donut.setDatas({1, 2});
    KzChartLineZoom lineZoom;
    lineZoom.setLegends(names, QString());
    lineZoom.setDatas(rows);

    for (QWidget *chart : QList<QWidget *>{&bar, &stack, &line, &pie, &donut, &lineZoom}) {
        if (!chartRuns(chart)) {
            std::fprintf(stderr, "%s shows no chart\n", chart->metaObject()->className());
            return 1;
        }
    }
    return 0;
}
