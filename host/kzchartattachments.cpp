#include "kzchartattachments.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace {

const QByteArray attachmentScheme = QByteArrayLiteral("kzchartdata");

void registerAttachmentScheme()
{
    if (QCoreApplication::instance())
        return;
    QWebEngineUrlScheme scheme(attachmentScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}
Q_CONSTRUCTOR_FUNCTION(registerAttachmentScheme)

struct Offer
{
    QByteArray doubles;
    const QWebEnginePage *owner;
};

// Attachments by id, from the page call that carries them until that call
// leaves its page's replay log. Pages and their calls live on the GUI thread.
QHash<QString, Offer> &offers()
{
    static QHash<QString, Offer> store;
    return store;
}

// Serves attachments by id, and nothing else.
class AttachmentHandler : public QWebEngineUrlSchemeHandler
{
public:
    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const auto it = offers().constFind(job->requestUrl().path());
        if (job->requestMethod() != "GET" || it == offers().constEnd())
            return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        auto *buffer = new QBuffer(job);
        buffer->setData(it->doubles);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("application/octet-stream"), buffer);
    }
};

} // namespace

namespace KzChartHost {

bool attachmentsAvailable()
{
    static const bool available = QWebEngineUrlScheme::schemeByName(attachmentScheme).name() == attachmentScheme;
    return available;
}

void offerAttachment(const QWebEnginePage *owner, const Attachment &attachment)
{
    offers().insert(attachment.id, {attachment.doubles, owner});
}

void withdrawAttachments(const QStringList &ids)
{
    for (const QString &id : ids)
        offers().remove(id);
}

void serveAttachments(QWebEnginePage *owner)
{
    static AttachmentHandler handler;
    QWebEngineProfile *profile = owner->profile();
    if (attachmentsAvailable() && !profile->urlSchemeHandler(attachmentScheme))
        profile->installUrlSchemeHandler(attachmentScheme, &handler);
}

} // namespace KzChartHost
