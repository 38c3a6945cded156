#ifndef GALLERYWINDOW_H
#define GALLERYWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QPair>
#include <QPalette>

#include <functional>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPrinter;
class QTabWidget;
QT_END_NAMESPACE

// The gallery's main window: one tab per chart page, a panel that logs every
// signal the charts emit, a tool bar that switches the theme of every chart
// and the application's palette, and an Export menu for the chart shown (of
// two on a tab, the one that has the focus, else the first).
class GalleryWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    void addPage(const QString &title, QWidget *page);
    // Registers a chart for --screenshot and the Export menu; name becomes
    // the base name of its PNG and of the files it is exported to.
    template <typename Chart>
    void addScreenshot(const QString &name, Chart *chart)
    {
        m_charts.append({name, chart, [chart](const QString &file, qreal ratio) { return chart->saveImage(file, ratio); },
                         [chart](QPrinter *printer) { chart->print(printer); }, [chart] { chart->copyToClipboard(); },
                         [chart](const QString &file) { return chart->saveCsv(file); }});
    }
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
    struct Chart
    {
        QString name;
        QWidget *widget;
        std::function<bool(const QString &, qreal)> saveImage;
        std::function<void(QPrinter *)> print;
        std::function<void()> copyToClipboard;
        std::function<bool(const QString &)> saveCsv;
    };

    void addExportMenu();
    const Chart *currentChart() const;
    // Asks where to save the current chart as a file of suffix and saves it
    // with save; reports the outcome in the status bar.
    void saveAs(const QString &suffix, const std::function<bool(const Chart &, const QString &)> &save);

    QTabWidget *m_tabs;
    QPlainTextEdit *m_log;
    QComboBox *m_theme;
    QCheckBox *m_darkPalette;
    const QPalette m_ownPalette;
    QList<Chart> m_charts;
};

// Quoted text for the log panel.
QString quoted(const QString &text);
QString quoted(const QStringList &texts);

#endif // GALLERYWINDOW_H
