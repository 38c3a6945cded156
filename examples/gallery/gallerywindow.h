#ifndef GALLERYWINDOW_H
#define GALLERYWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QPair>
#include <QPalette>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QTabWidget;
QT_END_NAMESPACE

// The gallery's main window: one tab per chart page, a panel that logs every
// signal the charts emit, and a tool bar that switches the theme of every
// chart and the application's palette.
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
    // settled, and writes DIR/<name><suffix>.png, scaled to width pixels wide
    // unless width is 0. Prints each path; false on failure.
    bool writeScreenshots(const QString &dir, int width = 0, const QString &suffix = QString());

    // Draws every chart, and every chart made later, in the theme called name.
    void setChartTheme(const QString &name);
    // Gives the application a dark palette, or its own back.
    void setDarkPalette(bool dark);

private:
    QTabWidget *m_tabs;
    QPlainTextEdit *m_log;
    QComboBox *m_theme;
    QCheckBox *m_darkPalette;
    const QPalette m_ownPalette;
    QList<QPair<QString, QWidget *>> m_shots;
};

// Quoted text for the log panel.
QString quoted(const QString &text);
QString quoted(const QStringList &texts);

#endif // GALLERYWINDOW_H
