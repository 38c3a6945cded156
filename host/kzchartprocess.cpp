#include "kzchartprocess.h"

#include <kzchartglobal.h>

#include <QByteArray>
#include <QString>

namespace {

// The web channel warns about every QWidget property without a notify signal
// when it publishes a chart widget to its page. The pages only call slots, so
// those warnings say nothing useful; drop them and pass everything else on.
// The previous handler is restored when the library is unloaded, unless
// someone replaced ours meanwhile.
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

void filterChannelNotices()
{
    static ChannelNoticeFilter filter;
    Q_UNUSED(filter)
}

} // namespace KzChartHost
