#include "chartprobe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

namespace {

const int kTimeout = 10000;

QString jsonList(const QStringList &names)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(names)).toJson(QJsonDocument::Compact));
}

// text as a script string literal.
QString jsString(const QString &text)
{
    const QString list = jsonList({text});
    return list.mid(1, list.size() - 2);
}

// Collects the warnings of the page console category and passes every
// message on to the handler that was installed before.
QStringList pageErrors;
QtMessageHandler previousHandler = nullptr;

void collectPageErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && context.category && qstrcmp(context.category, "kzchart.page") == 0)
        pageErrors.append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}

void watchPageConsole()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QLoggingCategory::setFilterRules(QStringLiteral("kzchart.page.warning=true"));
    previousHandler = qInstallMessageHandler(collectPageErrors);
}

} // namespace

ChartProbe::ChartProbe(QWidget *chart)
    : m_view(chart->findChild<QWebEngineView *>())
{
    watchPageConsole();
}

QStringList ChartProbe::consoleErrors()
{
    return pageErrors;
}

bool ChartProbe::attach(const QStringList &recordedFunctions)
{
    if (!m_view)
        return false;
    const bool ready = QTest::qWaitFor([this] { return eval(QStringLiteral("!!window.chartWidget")).toBool(); },
                                       kTimeout);
    if (!ready)
        return false;
    eval(QStringLiteral(
                 "(function (names) {"
                 "  window.kzProbeCalls = window.kzProbeCalls || {};"
                 "  window.kzProbeOrder = window.kzProbeOrder || [];"
                 "  names.forEach(function (name) {"
                 "    var original = window[name];"
                 "    window.kzProbeCalls[name] = [];"
                 "    window[name] = function () {"
                 "      var args = Array.prototype.slice.call(arguments);"
                 "      window.kzProbeCalls[name].push(JSON.stringify(args));"
                 "      window.kzProbeOrder.push(name);"
                 "      return original.apply(this, arguments);"
                 "    };"
                 "  });"
                 "})(%1)")
                 .arg(jsonList(recordedFunctions)));
    return true;
}

QVariant ChartProbe::eval(const QString &script)
{
    // Shared state: a result that arrives after a timeout must not write
    // into a dead stack frame.
    struct Result { bool done = false; QVariant value; };
    auto result = std::make_shared<Result>();
    m_view->page()->runJavaScript(script, [result](const QVariant &value) {
        result->value = value;
        result->done = true;
    });
    (void)QTest::qWaitFor([result] { return result->done; }, kTimeout);
    return result->value;
}

QJsonValue ChartProbe::evalJson(const QString &expression)
{
    const QString text = eval(QStringLiteral("JSON.stringify([%1])").arg(expression)).toString();
    return QJsonDocument::fromJson(text.toUtf8()).array().at(0);
}

QJsonArray ChartProbe::calls(const QString &function)
{
    const QJsonArray texts = evalJson(QStringLiteral("(window.kzProbeCalls || {})['%1'] || []").arg(function)).toArray();
    QJsonArray result;
    for (const QJsonValue &text : texts)
        result.append(QJsonDocument::fromJson(text.toString().toUtf8()).array());
    return result;
}

QStringList ChartProbe::callOrder()
{
    QStringList names;
    const QJsonArray order = evalJson(QStringLiteral("window.kzProbeOrder || []")).toArray();
    for (const QJsonValue &name : order)
        names.append(name.toString());
    return names;
}

QJsonArray ChartProbe::waitForCalls(const QString &function, int count)
{
    QJsonArray result;
    (void)QTest::qWaitFor([&] {
        result = calls(function);
        return result.size() >= count;
    }, kTimeout);
    return result;
}

QJsonObject ChartProbe::nextFragment()
{
    const QJsonArray all = waitForCalls(QStringLiteral("setChartOption"), m_seen + 1);
    if (all.size() <= m_seen)
        return QJsonObject();
    // The oldest unseen call, so that a call that should not have been made
    // shows up instead of being skipped.
    return all.at(m_seen++).toArray().at(0).toObject();
}

QJsonObject ChartProbe::option()
{
    return evalJson(QStringLiteral("myChart.getOption()")).toObject();
}

void ChartProbe::disableAnimation()
{
    eval(QStringLiteral("myChart.setOption({animation: false})"));
}

QPoint ChartProbe::toView(double chartX, double chartY)
{
    const QJsonArray origin = evalJson(QStringLiteral(
            "(function () { var r = mainContainer.getBoundingClientRect(); return [r.left, r.top]; })()")).toArray();
    return QPoint(qRound(origin.at(0).toDouble() + chartX), qRound(origin.at(1).toDouble() + chartY));
}

QPoint ChartProbe::viewPoint(const QString &chartXYExpression)
{
    const QJsonArray xy = evalJson(chartXYExpression).toArray();
    return toView(xy.at(0).toDouble(), xy.at(1).toDouble());
}

QPoint ChartProbe::textPoint(const QString &text)
{
    const QJsonValue xy = evalJson(QStringLiteral(
            "(function (text) {"
            "  var found = myChart.getZr().storage.getDisplayList().filter(function (el) {"
            "    return !el.invisible && ((el.style && el.style.text === text) || el.__title === text);"
            "  })[0];"
            "  if (!found) return null;"
            "  var rect = found.getBoundingRect().clone();"
            "  if (found.transform) rect.applyTransform(found.transform);"
            "  return [rect.x + rect.width / 2, rect.y + rect.height / 2];"
            "})(%1)").arg(jsString(text)));
    if (!xy.isArray())
        return QPoint();
    return toView(xy.toArray().at(0).toDouble(), xy.toArray().at(1).toDouble());
}

QWidget *ChartProbe::input() const
{
    return m_view->focusProxy() ? m_view->focusProxy() : m_view;
}

void ChartProbe::hover(const QPoint &pos)
{
    QTest::mouseMove(input(), pos);
}

void ChartProbe::click(const QPoint &pos)
{
    QTest::mouseMove(input(), pos);
    QTest::mousePress(input(), Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseRelease(input(), Qt::LeftButton, Qt::NoModifier, pos);
}

void ChartProbe::rightClick(const QPoint &pos)
{
    QTest::mouseMove(input(), pos);
    QTest::mousePress(input(), Qt::RightButton, Qt::NoModifier, pos);
    QTest::mouseRelease(input(), Qt::RightButton, Qt::NoModifier, pos);
}

void ChartProbe::doubleClick(const QPoint &pos)
{
    // QTest spaces its events too far apart for the engine to count a double
    // click, so send the four events with close timestamps of our own.
    QTest::mouseMove(input(), pos);
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    // Keep clear of the timestamps that QTest's own events carried, and of
    // the previous double click: presses closer together than the
    // double-click interval would count on as a triple click.
    static ulong previous = 0;
    ulong timestamp = qMax(ulong(clock.elapsed()) + 1000000,
                           previous + ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval()) + 100);
    const QPoint global = input()->mapToGlobal(pos);
    const QEvent::Type types[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonPress, QEvent::MouseButtonRelease};
    for (QEvent::Type type : types) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, pos, global, Qt::LeftButton, buttons, Qt::NoModifier);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(input(), &event);
        previous = timestamp;
        timestamp += 20;
    }
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
    // ECharts appends the tooltip box, absolutely positioned, to the
    // container and hides it with display: none. Boxes of an earlier chart
    // instance may linger there, empty and unpositioned.
    const QJsonValue html = evalJson(QStringLiteral(
            "(function () {"
            "  var boxes = Array.prototype.filter.call(mainContainer.children, function (el) {"
            "    return el.tagName === 'DIV' && el.style.position === 'absolute' && el.style.display !== 'none';"
            "  });"
            "  return boxes.length ? boxes[boxes.length - 1].innerHTML : null;"
            "})()"));
    if (!html.isString())
        return QString();
    // Not null even when the box is empty.
    return QLatin1String("") + html.toString();
}

QJsonObject json(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        qFatal("Not a JSON object: %s", qPrintable(text));
    return document.object();
}
