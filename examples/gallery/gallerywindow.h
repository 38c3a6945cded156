#ifndef GALLERYWINDOW_H
#define GALLERYWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QPair>

QT_BEGIN_NAMESPACE
class QPlainTextEdit;
class QTabWidget;
QT_END_NAMESPACE

// The gallery's main window: one tab per chart page and a panel that logs
// every signal the charts emit.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    void addPage(const QString &title, QWidget *page);
    // Registers a chart for --screenshot; name becomes the PNG's base name.
    void addScreenshot(const QString &name, QWidget *chart);
    // Appends "source: signal" to the log panel.
    void logSignal(const QString &source, const QString &signal);

    // Shows each registered chart in turn, waits until it has painted and
    // settled, and writes DIR/<name>.png, scaled to width pixels wide unless
    // width is 0. Prints each path; false on failure.
    bool writeScreenshots(const QString &dir, int width = 0);

private:
    QTabWidget *m_tabs;
    QPlainTextEdit *m_log;
    QList<QPair<QString, QWidget *>> m_shots;
};

// Quoted text for the log panel.
QString quoted(const QString &text);
QString quoted(const QStringList &texts);

#endif // GALLERYWINDOW_H
