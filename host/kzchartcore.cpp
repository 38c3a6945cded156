#include "kzchartcore.h"
#include "kzchartfragments.h"
#include "kzchartjson.h"
#include "kzchartlogging.h"
#include "kzchartpage.h"
#include "kzchartprocess.h"
#include "kzchartreplaylog.h"
#include "kzchartsummary.h"
#include "kzcharttheme.h"
#include "kzchartwait.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QThread>
#include <QWebChannel>
#include <QWebEngineView>

using namespace KzChartHost;

namespace {

QString chartPageUrl(const QString &page)
{
    return QStringLiteral("qrc:///ECharts/Resources/ECharts/") + page;
}

// QObject::sender() is protected; a pointer to it formed through a derived
// class may be called on any object.
struct SenderAccess : QObject
{
    static QObject *senderOf(const QObject *object) { return (object->*(&SenderAccess::sender))(); }
};

} // namespace

KzChartPrivate::KzChartPrivate(QWidget *widget)
    : q(widget)
{
    filterChannelNotices();
    view = new QWebEngineView(q);
    page = new ChartPage(view);
    view->setPage(page);
    auto *channel = new QWebChannel(q);
    channel->registerObject(QStringLiteral("chartWidget"), q);
    page->setWebChannel(channel);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    m_theme = std::make_unique<ChartTheme>(this);
}

KzChartPrivate::~KzChartPrivate() = default;

void KzChartPrivate::load(KzChartPrivate *d, const QString &page)
{
    // Only locals after the wait: the widget, and d with it, may be gone.
    QWidget *const widget = d->q;
    QWebEngineView *const view = d->view;
    const QPointer<QWidget> alive(widget);
    // A failed load ends the wait too; the page reports it.
    ChartWait wait(view);
    QObject::connect(view, &QWebEngineView::loadFinished, wait.context(), [&] { wait.finish(); },
                     Qt::DirectConnection);
    d->page->start(QUrl(chartPageUrl(page), QUrl::TolerantMode));
    wait.exec();
    if (!alive)
        return;

    auto *layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view);
}

void KzChartPrivate::sendOption(const QString &json)
{
    sendOption(Fragment{json, {}});
}

void KzChartPrivate::sendOption(const Fragment &fragment)
{
    page->run(QStringLiteral("setChartOption(%1)").arg(fragment.json), optionKey(fragment.json),
              fragment.attachments);
    describeChart(q, title, data);
}

void KzChartPrivate::runScript(const QString &script, const Attachments &attachments)
{
    page->run(script, functionKey(script), attachments);
    describeChart(q, title, data);
}

bool KzChartPrivate::acceptRows(const char *setter, int rows) const
{
    if (rows == legends.size())
        return true;
    warn(setter, QStringLiteral("refused %1 rows of data for %2 legend names (setLegends() names and counts the "
                                "series); the chart stays as it was")
                         .arg(rows)
                         .arg(legends.size()));
    return false;
}

void KzChartPrivate::warn(const char *setter, const QString &what) const
{
    qCWarning(lcChart, "%s::%s: %s", q->metaObject()->className(), setter, qPrintable(what));
}

void KzChartPrivate::setTitle(const QString &text)
{
    title = text;
    sendOption(getJsonString(titleFragment(text)));
}

void KzChartPrivate::setSubTitle(const QString &text)
{
    subTitle = text;
    sendOption(getJsonString(subTitleFragment(text)));
}

void KzChartPrivate::setColors(const QStringList &palette)
{
    colors = palette;
    sendOption(getJsonString(colorsFragment(palette)));
}

void KzChartPrivate::setToolBackVisible(bool visible)
{
    toolBackVisible = visible;
    sendOption(getJsonString(toolBackFragment(visible)));
}

void KzChartPrivate::setTheme(const QString &name)
{
    m_theme->set(name);
}

QString KzChartPrivate::theme() const
{
    return m_theme->name();
}

bool KzChartPrivate::isReady() const
{
    return page->isReady();
}

bool KzChartPrivate::onOtherThread(const char *member) const
{
    if (QThread::currentThread() == q->thread())
        return false;
    if (m_warnedThread.testAndSetRelaxed(0, 1)) {
        qCWarning(lcChart, "%s called on another thread than the chart's; the call is carried over to the chart's "
                           "thread (further calls of this chart are carried over without a warning)", member);
    }
    return true;
}

bool KzChartPrivate::calledByPage() const
{
    // The channel hands a page's call to the widget from its message handler,
    // a child of the channel that the transport's messageReceived signal
    // invokes: while the call runs, that child has a sender.
    const auto *channel = q->findChild<QWebChannel *>(QString(), Qt::FindDirectChildrenOnly);
    if (!channel)
        return false;
    for (const QObject *child : channel->children()) {
        if (SenderAccess::senderOf(child))
            return true;
    }
    return false;
}
