#include "kzcharthost.h"
#include "kzchartjson.h"

#include <kzchartglobal.h>

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QUrl>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

// Messages that the chart pages write to their console (ECharts' development
// notices, for instance) are kept off the host's console unless this category
// is switched on: QT_LOGGING_RULES="kzchart.page=true" (script errors come
// as warnings, everything else as debug messages).
Q_LOGGING_CATEGORY(lcChartPage, "kzchart.page", QtCriticalMsg)

namespace {

class ChartPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceId) override
    {
        if (level == ErrorMessageLevel)
            qCWarning(lcChartPage, "%s:%d: %s", qPrintable(sourceId), lineNumber, qPrintable(message));
        else
            qCDebug(lcChartPage, "%s:%d: %s", qPrintable(sourceId), lineNumber, qPrintable(message));
    }
};

// The web channel warns about every QWidget property without a notify signal
// when it publishes a chart widget to its page. The pages only call slots, so
// those warnings say nothing useful; drop them and pass everything else on.
// Installed with the first chart widget; the previous handler is restored
// when the library is unloaded, unless someone replaced ours meanwhile.
class ChannelNoticeFilter
{
public:
    ChannelNoticeFilter() { s_previous = qInstallMessageHandler(filter); }
    ~ChannelNoticeFilter()
    {
        const QtMessageHandler current = qInstallMessageHandler(s_previous);
        if (current != filter)
            qInstallMessageHandler(current);
    }

private:
    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("Property '"))
            && message.contains(QLatin1String("' of object 'KzChart"))
            && message.contains(QLatin1String("has no notify signal"))) {
            return;
        }
        s_previous(type, context, message);
    }

    static QtMessageHandler s_previous;
};

QtMessageHandler ChannelNoticeFilter::s_previous = nullptr;

} // namespace

bool KzChart::useProcessPerSite()
{
    static const char variable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
    const QByteArray flags = qgetenv(variable);
    if (flags.contains("--process-per-site"))
        return true;
    if (flags.contains("--single-process") || flags.contains("--process-per-tab"))
        return false;
    qputenv(variable, flags.isEmpty() ? QByteArray("--process-per-site") : flags + " --process-per-site");
    return true;
}

namespace KzChartHost {

QString chartPageUrl(const QString &page)
{
    return QStringLiteral("qrc:///ECharts/Resources/ECharts/") + page;
}

QWebEngineView *createChartView(QWidget *widget, const QString &pageUrl)
{
    static ChannelNoticeFilter channelNoticeFilter;
    Q_UNUSED(channelNoticeFilter)

    auto *view = new QWebEngineView(widget);
    view->setPage(new ChartPage(view));
    auto *channel = new QWebChannel(widget);
    channel->registerObject(QStringLiteral("chartWidget"), widget);
    view->page()->setWebChannel(channel);
    view->setContextMenuPolicy(Qt::NoContextMenu);

    // The loop is the receiver, so the connection dies with it: a later
    // loadFinished can never reach a loop that no longer exists. A failed
    // load ends the wait too; the widget then simply shows no chart.
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit,
                     Qt::DirectConnection);
    view->page()->load(QUrl(pageUrl, QUrl::TolerantMode));
    loop.exec(QEventLoop::AllEvents);

    auto *layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view);
    return view;
}

void runPageScript(QWebEngineView *view, const QString &script)
{
    view->page()->runJavaScript(script);
}

void sendChartOption(QWebEngineView *view, const QString &json)
{
    runPageScript(view, QStringLiteral("setChartOption(%1)").arg(json));
}

QJsonObject titleFragment(const QString &text)
{
    return getJsonObject(QStringLiteral("title"), getJsonObject(QStringLiteral("text"), text));
}

QJsonObject subTitleFragment(const QString &subtext)
{
    return getJsonObject(QStringLiteral("title"), getJsonObject(QStringLiteral("subtext"), subtext));
}

QJsonObject colorsFragment(const QStringList &colors)
{
    return getJsonObject(QStringLiteral("color"), getJsonArray(colors));
}

QJsonObject toolBackFragment(bool visible)
{
    const QJsonObject button = getJsonObject(QStringLiteral("show"), visible);
    const QJsonObject feature = getJsonObject(QStringLiteral("myToolBack"), button);
    return getJsonObject(QStringLiteral("toolbox"),
                         getJsonObject(QStringLiteral("feature"), feature));
}

namespace {

QJsonObject legendComponent(const QStringList &legends, bool bSelectable)
{
    QJsonObject legend = getJsonObject(QStringLiteral("data"), getJsonArray(legends));
    if (!bSelectable)
        legend.insert(QStringLiteral("selectedMode"), false);
    return legend;
}

} // namespace

QJsonObject selectableLegendFragment(const QStringList &legends, bool bSelectable)
{
    return getJsonArrayObject(QStringLiteral("legend"), legendComponent(legends, bSelectable));
}

QJsonObject selectableLegendFragment(const QStringList &legends, bool bShow, bool bSelectable)
{
    QJsonObject legend = legendComponent(legends, bSelectable);
    legend.insert(QStringLiteral("show"), bShow);
    return getJsonArrayObject(QStringLiteral("legend"), legend);
}

QJsonObject slicesFragment(const QStringList &names, const QList<int> &values)
{
    return getJsonArrayObject(QStringLiteral("series"),
                              getJsonObject(QStringLiteral("data"), getSliceArray(names, values)));
}

QJsonObject seriesNameFragment(const QString &name)
{
    return getJsonArrayObject(QStringLiteral("series"), getJsonObject(QStringLiteral("name"), name));
}

} // namespace KzChartHost
