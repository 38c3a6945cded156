#include "gallerywindow.h"
#include "pages.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KzChartWidget gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Every KzChartWidget chart with realistic data."));
    parser.addHelpOption();
    const QCommandLineOption screenshotOption(
            QStringLiteral("screenshot"),
            QStringLiteral("Write one PNG per chart into <dir>, print their paths and exit."),
            QStringLiteral("dir"));
    parser.addOption(screenshotOption);
    const QCommandLineOption widthOption(
            QStringLiteral("width"),
            QStringLiteral("Scale the screenshots to <pixels> wide (the README's pictures)."),
            QStringLiteral("pixels"));
    parser.addOption(widthOption);
    parser.process(app);

    GalleryWindow window;
    addBarPage(&window);
    addLinePage(&window);
    addStackPage(&window);
    addPiePage(&window);
    addDonutPage(&window);
    addLineZoomPage(&window);
    addLivePage(&window);
    window.show();

    if (parser.isSet(screenshotOption))
        return window.writeScreenshots(parser.value(screenshotOption), parser.value(widthOption).toInt()) ? 0 : 1;
    return app.exec();
}
