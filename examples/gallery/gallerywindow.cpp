#include "gallerywindow.h"

#include <kzchartglobal.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>
#include <QTime>
#include <QToolBar>

#include <cstdio>

namespace {

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A chart on a tab that has just been shown for the first time may still be
// blank when two grabs agree: it has not been laid out yet.
bool isBlank(const QImage &image)
{
    if (image.isNull())
        return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

// A control room's dark palette, for the "palette" theme to follow.
QPalette darkPalette()
{
    QPalette palette(QColor(0x2b, 0x33, 0x3d), QColor(0x1f, 0x25, 0x2d));
    palette.setColor(QPalette::WindowText, QColor(0xe3, 0xe8, 0xee));
    palette.setColor(QPalette::Text, QColor(0xe3, 0xe8, 0xee));
    palette.setColor(QPalette::ButtonText, QColor(0xe3, 0xe8, 0xee));
    palette.setColor(QPalette::Base, QColor(0x16, 0x1b, 0x21));
    palette.setColor(QPalette::AlternateBase, QColor(0x25, 0x2c, 0x35));
    palette.setColor(QPalette::Mid, QColor(0x4b, 0x56, 0x63));
    palette.setColor(QPalette::ToolTipBase, QColor(0x2b, 0x33, 0x3d));
    palette.setColor(QPalette::ToolTipText, QColor(0xe3, 0xe8, 0xee));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x8f, 0xd1));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x7a, 0x84, 0x90));
    return palette;
}

} // namespace

GalleryWindow::GalleryWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
    , m_log(new QPlainTextEdit(this))
    , m_theme(new QComboBox(this))
    , m_darkPalette(new QCheckBox(tr("Dark application palette"), this))
    , m_ownPalette(QApplication::palette())
{
    setWindowTitle(tr("KzChartWidget gallery"));
    setCentralWidget(m_tabs);

    m_theme->addItems({QStringLiteral("macarons"), QStringLiteral("light"), QStringLiteral("dark"),
                       QStringLiteral("palette")});
    connect(m_theme, &QComboBox::textActivated, this, &GalleryWindow::setChartTheme);
    connect(m_darkPalette, &QCheckBox::clicked, this, &GalleryWindow::setDarkPalette);
    auto *appearance = addToolBar(tr("Appearance"));
    appearance->setObjectName(QStringLiteral("appearance"));
    appearance->setMovable(false);
    appearance->addWidget(new QLabel(tr("Theme: "), appearance));
    appearance->addWidget(m_theme);
    appearance->addSeparator();
    appearance->addWidget(m_darkPalette);

    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(1000);
    m_log->setPlaceholderText(tr("Signals emitted by the charts appear here."));
    auto *dock = new QDockWidget(tr("Signals"), this);
    dock->setObjectName(QStringLiteral("signalLog"));
    dock->setWidget(m_log);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    addExportMenu();
    resize(1100, 800);
}

void GalleryWindow::addExportMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Export"));
    for (int ratio = 1; ratio <= 3; ++ratio) {
        menu->addAction(tr("PNG at %1x...").arg(ratio), this, [this, ratio] {
            saveAs(QStringLiteral("png"), [ratio](const Chart &chart, const QString &file) {
                return chart.saveImage(file, ratio);
            });
        });
    }
    for (const QString &suffix : {QStringLiteral("svg"), QStringLiteral("pdf")}) {
        menu->addAction(tr("%1...").arg(suffix.toUpper()), this, [this, suffix] {
            saveAs(suffix, [](const Chart &chart, const QString &file) { return chart.saveImage(file, 1); });
        });
    }
    menu->addAction(tr("CSV..."), this, [this] {
        saveAs(QStringLiteral("csv"), [](const Chart &chart, const QString &file) { return chart.saveCsv(file); });
    });
    menu->addSeparator();
    menu->addAction(tr("Print preview..."), this, [this] {
        const Chart *chart = currentChart();
        QPrintPreviewDialog preview(this);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [chart](QPrinter *printer) {
            chart->print(printer);
        });
        preview.exec();
    });
    menu->addAction(tr("Copy"), this, [this] {
        currentChart()->copyToClipboard();
        statusBar()->showMessage(tr("Copied %1 as an image and as SVG").arg(currentChart()->name), 5000);
    });
}

const GalleryWindow::Chart *GalleryWindow::currentChart() const
{
    const Chart *found = nullptr;
    for (const Chart &chart : m_charts) {
        if (m_tabs->currentWidget()->isAncestorOf(chart.widget)
            && (!found || chart.widget->isAncestorOf(QApplication::focusWidget())))
            found = &chart;
    }
    return found;
}

void GalleryWindow::saveAs(const QString &suffix, const std::function<bool(const Chart &, const QString &)> &save)
{
    const Chart *chart = currentChart();
    const QString file = QFileDialog::getSaveFileName(
            this, tr("Export %1").arg(chart->name), QDir::home().filePath(chart->name + QLatin1Char('.') + suffix),
            tr("%1 files (*.%2)").arg(suffix.toUpper(), suffix));
    if (file.isEmpty())
        return;
    statusBar()->showMessage(save(*chart, file) ? tr("Saved %1").arg(QDir::toNativeSeparators(file))
                                                : tr("Could not save %1").arg(QDir::toNativeSeparators(file)),
                             5000);
}

void GalleryWindow::addPage(const QString &title, QWidget *page)
{
    m_tabs->addTab(page, title);
}

void GalleryWindow::logSignal(const QString &source, const QString &signal)
{
    m_log->appendPlainText(QStringLiteral("%1  %2: %3")
                                   .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                                        source, signal));
}

void GalleryWindow::setChartTheme(const QString &name)
{
    m_theme->setCurrentText(name);
    KzChart::setDefaultTheme(name);
    // Every chart has the property "theme", also those in windows of their own.
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->metaObject()->indexOfProperty("theme") >= 0)
            widget->setProperty("theme", name);
    }
}

void GalleryWindow::setDarkPalette(bool dark)
{
    m_darkPalette->setChecked(dark);
    // Fusion draws every widget in the palette's colours, whatever the desktop's style.
    if (dark)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(dark ? darkPalette() : m_ownPalette);
}

bool GalleryWindow::writeScreenshots(const QString &dir, int width, const QString &suffix)
{
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "gallery: cannot create %s\n", qPrintable(dir));
        return false;
    }
    for (const Chart &shot : qAsConst(m_charts)) {
        for (QWidget *w = shot.widget; w; w = w->parentWidget()) {
            const int index = m_tabs->indexOf(w);
            if (index >= 0)
                m_tabs->setCurrentIndex(index);
        }
        // The chart has painted once two grabs taken a moment apart agree and
        // are not blank: its entry animation is over.
        QImage previous;
        QImage current;
        QElapsedTimer timer;
        timer.start();
        do {
            wait(400);
            previous = current;
            current = shot.widget->grab().toImage();
        } while ((current != previous || isBlank(current)) && timer.elapsed() < 10000);

        if (width > 0)
            current = current.scaledToWidth(width, Qt::SmoothTransformation);
        const QString path = QDir(dir).absoluteFilePath(shot.name + suffix + QStringLiteral(".png"));
        if (!current.save(path)) {
            std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
    }
    return true;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString quoted(const QStringList &texts)
{
    QStringList parts;
    for (const QString &text : texts)
        parts.append(quoted(text));
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}
