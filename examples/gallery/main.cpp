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
    const QCommandLineOption themeOption(
            QStringLiteral("theme"),
            QStringLiteral("Draw the charts in <name>: macarons, light, dark or palette; screenshots are named "
                           "<chart>-<name>.png."),
            QStringLiteral("name"));
    parser.addOption(themeOption);
    const QCommandLineOption darkPaletteOption(QStringLiteral("dark-palette"),
                                               QStringLiteral("Start with a dark application palette."));
    parser.addOption(darkPaletteOption);
    parser.process(app);

    GalleryWindow window;
    // Before the charts exist, so that they start in it.
    if (parser.isSet(themeOption))
        window.setChartTheme(parser.value(themeOption));
    if (parser.isSet(darkPaletteOption))
        window.setDarkPalette(true);
    addBarPage(&window);
    addLinePage(&window);
    addStackPage(&window);
    addPiePage(&window);
    addDonutPage(&window);
    addLineZoomPage(&window);
    addLivePage(&window);
    window.show();

    if (parser.isSet(screenshotOption)) {
        const QString suffix = parser.isSet(themeOption) ? QLatin1Char('-') + parser.value(themeOption) : QString();
        const bool written =
                window.writeScreenshots(parser.value(screenshotOption), parser.value(widthOption).toInt(), suffix);
        return written ? 0 : 1;
    }
    return app.exec();
}
