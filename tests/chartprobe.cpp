#include "chartprobe.h"

#include <QJsonDocument>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

namespace {

const int kTimeout = 10000;

// Collects the errors of the page console category and fails the running
// test on an unexpected one. Every message goes on to QtTest's handler.
QStringList pageErrors;
QStringList expectedErrors;
QtMessageHandler previousHandler = nullptr;

void collectPageErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    previousHandler(type, context, message);
    if (type != QtWarningMsg || !context.category || qstrcmp(context.category, "kzchart.page") != 0)
        return;
    pageErrors.append(message);
    for (int i = 0; i < expectedErrors.size(); ++i) {
        if (message.contains(QRegularExpression(expectedErrors.at(i))))
            return expectedErrors.removeAt(i);
    }
    QTest::qFail(qPrintable(QStringLiteral("Script error in the page: ") + message), __FILE__, __LINE__);
}

} // namespace

ChartProbe::ChartProbe(QWidget *chart)
    : m_chart(chart), m_view(chart->findChild<QWebEngineView *>())
{
    // Installed once QtTest's own handler is in place, to pass messages on to it.
    if (!previousHandler) {
        QLoggingCategory::setFilterRules(QStringLiteral("kzchart.page.warning=true"));
        previousHandler = qInstallMessageHandler(collectPageErrors);
    }
}

QStringList ChartProbe::consoleErrors() { return pageErrors; }
void ChartProbe::expectPageError(const QString &text) { expectedErrors.append(text); }

bool ChartProbe::attach(const QStringList &recordedFunctions)
{
    if (!m_view || !QTest::qWaitFor([this] { return eval(QStringLiteral("!!window.chartWidget")).toBool(); }, kTimeout))
        return false;
    // Each call is kept as JSON text at once: the page may change the
    // objects it was given.
    eval(QStringLiteral("window.kzReleased = 0; myChart.getZr().on('mouseup', function () { ++kzReleased; });"
                        "window.kzProbeLog = window.kzProbeLog || [];"
                        "%1.forEach(function (name) {"
                        "  var original = window[name];"
                        "  window[name] = function () {"
                        "    kzProbeLog.push([name, JSON.stringify(Array.prototype.slice.call(arguments))]);"
                        "    return original.apply(this, arguments);"
                        "  };"
                        "})").arg(QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(recordedFunctions))
                                                           .toJson(QJsonDocument::Compact))));
    return true;
}

QVariant ChartProbe::eval(const QString &script, int timeoutMs)
{
    // Shared: a result that arrives after a timeout must not write into a dead stack frame.
    struct Result { bool done = false; QVariant value; };
    auto result = std::make_shared<Result>();
    m_view->page()->runJavaScript(script, [result](const QVariant &value) {
        result->value = value;
        result->done = true;
    });
    (void)QTest::qWaitFor([result] { return result->done; }, timeoutMs);
    return result->value;
}

QJsonValue ChartProbe::evalJson(const QString &expression)
{
    const QString text = eval(QStringLiteral("JSON.stringify([%1])").arg(expression)).toString();
    return QJsonDocument::fromJson(text.toUtf8()).array().at(0);
}

QJsonObject ChartProbe::option() { return evalJson(QStringLiteral("myChart.getOption()")).toObject(); }
void ChartProbe::disableAnimation() { eval(QStringLiteral("myChart.setOption({animation: false})")); }

QPoint ChartProbe::toView(double chartX, double chartY)
{
    const QJsonArray origin = evalJson(QStringLiteral(
            "(function () { var r = mainContainer.getBoundingClientRect(); return [r.left, r.top]; })()")).toArray();
    return QPoint(qRound(origin.at(0).toDouble() + chartX), qRound(origin.at(1).toDouble() + chartY));
}

QPoint ChartProbe::viewPoint(const QString &chartXYExpression)
{
    const QJsonArray xy = evalJson(chartXYExpression).toArray();
    return xy.isEmpty() ? QPoint() : toView(xy.at(0).toDouble(), xy.at(1).toDouble());
}

QPoint ChartProbe::textPoint(const QString &text)
{
    return viewPoint(QStringLiteral(
            "(function (text) {"
            "  var found = myChart.getZr().storage.getDisplayList().filter(function (el) {"
            "    return !el.invisible && ((el.style && el.style.text === text) || el.__title === text);"
            "  })[0];"
            "  if (!found) return null;"
            "  var rect = found.getBoundingRect().clone();"
            "  if (found.transform) rect.applyTransform(found.transform);"
            "  return [rect.x + rect.width / 2, rect.y + rect.height / 2];"
            "}).apply(null, %1)")
            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))));
}

QWidget *ChartProbe::input() const { return m_view->focusProxy() ? m_view->focusProxy() : m_view; }
void ChartProbe::hover(const QPoint &pos) { QTest::mouseMove(input(), pos); }

void ChartProbe::click(const QPoint &pos, Qt::MouseButton button)
{
    QTest::mouseMove(input(), pos);
    QTest::mousePress(input(), button, Qt::NoModifier, pos);
    QTest::mouseRelease(input(), button, Qt::NoModifier, pos);
    ++m_released;
}

bool ChartProbe::inputSettled(const char *slot, const char *signal)
{
    if (!QTest::qWaitFor([this] { return eval(QStringLiteral("kzReleased")).toInt() >= m_released; }, kTimeout))
        return false;
    QSignalSpy marker(m_chart, signal);
    eval(QStringLiteral("reportToWidget('%1', 'kzMarker')").arg(QLatin1String(slot)));
    return QTest::qWaitFor([&] { return marker.contains({QStringLiteral("kzMarker")}); }, kTimeout);
}

void ChartProbe::doubleClick(const QPoint &pos)
{
    // QTest's events are too far apart for a double click: send four with close
    // timestamps, past QTest's and clear of the previous double click.
    static ulong timestamp = 1u << 30;
    timestamp += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100;
    QTest::mouseMove(input(), pos);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, pos, input()->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        event.setTimestamp(timestamp += 20);
        QApplication::sendEvent(input(), &event);
    }
    m_released += 2;
}

QPoint ChartProbe::slicePoint(int dataIndex)
{
    return viewPoint(QStringLiteral(
            "(function () {"
            "  var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(%1);"
            "  var angle = (l.startAngle + l.endAngle) / 2, radius = (l.r0 + l.r) / 2;"
            "  return [l.cx + radius * Math.cos(angle), l.cy + radius * Math.sin(angle)];"
            "})()").arg(dataIndex));
}

QString ChartProbe::tooltipHtml()
{
    // ECharts hides its absolutely positioned box with display: none; boxes
    // of an earlier chart instance may linger, empty and unpositioned.
    const QJsonValue html = evalJson(QStringLiteral(
            "(function () {"
            "  var boxes = Array.prototype.filter.call(mainContainer.children, function (el) {"
            "    return el.tagName === 'DIV' && el.style.position === 'absolute' && el.style.display !== 'none';"
            "  });"
            "  return boxes.length ? boxes[boxes.length - 1].innerHTML : null;"
            "})()"));
    return html.isString() ? QLatin1String("") + html.toString() : QString();
}

QJsonObject json(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        qFatal("Not a JSON object: %s", qPrintable(text));
    return document.object();
}
