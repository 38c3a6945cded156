#ifndef CHARTPROBE_H
#define CHARTPROBE_H

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QPoint>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QVariant>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

// Looks into the page of a chart widget from a test and drives real mouse
// input at chart coordinates. Once a probe exists, every script error that a
// chart page logs fails the running test, unless announced with expectPageError().
class ChartProbe
{
public:
    explicit ChartProbe(QWidget *chart);

    QWebEngineView *view() const { return m_view; }

    // Waits until the page has published "chartWidget", then wraps the named
    // page functions so that every call goes into window.kzProbeLog as
    // [name, arguments as JSON text]. False on timeout.
    bool attach(const QStringList &recordedFunctions = {QStringLiteral("setChartOption")});

    // Evaluates script in the page and waits for its result (an invalid
    // value after timeoutMs), and so for every earlier setter: scripts run in
    // the order they were sent.
    QVariant eval(const QString &script, int timeoutMs = 10000);
    QJsonValue evalJson(const QString &expression);

    // The chart's current option; no animation, so that geometry is final at once.
    QJsonObject option();
    void disableAnimation();

    // Errors that chart pages have logged since the first probe was created;
    // the next one that matches an expected pattern belongs to the test.
    static QStringList consoleErrors();
    static void expectPageError(const QString &text);

    // View coordinates of chart (container) pixels, of the [x, y] that a
    // chart-pixel expression yields, and of the first element showing text
    // (a label, a legend entry, a toolbox title; null when nothing shows it).
    QPoint toView(double chartX, double chartY);
    QPoint viewPoint(const QString &chartXYExpression);
    QPoint textPoint(const QString &text);
    // The middle of data item dataIndex of the first series, a pie or ring.
    QPoint slicePoint(int dataIndex);

    // Real input through the view's focus proxy.
    void hover(const QPoint &pos);
    void click(const QPoint &pos, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(const QPoint &pos);

    // Proves that nothing more comes of the clicks sent so far: waits until
    // the page has handled them all (it counts the buttons released), then
    // has the page call the relay slot with a marker through the channel
    // that its reports take, and waits for the widget's signal carrying it.
    // False when either did not come.
    bool inputSettled(const char *slot, const char *signal);

    // The markup of the tooltip box shown; a null text while none is shown.
    QString tooltipHtml();

private:
    QWidget *input() const;

    QWidget *m_chart = nullptr;
    QWebEngineView *m_view = nullptr;
    int m_released = 0;
};

// An expected fragment written as JSON text; a typo stops the test at once.
QJsonObject json(const QString &text);

// Test main for chart tests: WebEngine needs shared OpenGL contexts before
// the application exists.
#define KZ_CHART_TEST_MAIN(TestObject)                                  \
    int main(int argc, char *argv[])                                    \
    {                                                                   \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);     \
        QApplication app(argc, argv);                                   \
        TestObject tc;                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                      \
        return QTest::qExec(&tc, argc, argv);                           \
    }

#endif // CHARTPROBE_H
