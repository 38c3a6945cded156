#include "gallerywindow.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QImage>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTime>

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

} // namespace

GalleryWindow::GalleryWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
    , m_log(new QPlainTextEdit(this))
{
    setWindowTitle(tr("KzChartWidget gallery"));
    setCentralWidget(m_tabs);

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

bool GalleryWindow::writeScreenshots(const QString &dir, int width)
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
        const QString path = QDir(dir).absoluteFilePath(shot.name + QStringLiteral(".png"));
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
