#include "kzchartattachments.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QWebEnginePage>
#include <QUuid>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
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

const QByteArray secretHeader = QByteArrayLiteral("X-KzChart-Page");

struct Offer
{
    QByteArray doubles;
    QByteArray ownerSecret;
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
        if (job->requestMethod() != "GET" || it == offers().constEnd()
            || job->requestHeaders().value(secretHeader) != it->ownerSecret) {
            return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        }
        auto *buffer = new QBuffer(job);
        buffer->setData(it->doubles);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("application/octet-stream"), buffer);
    }
};

// Marks the requests of one page for the attachment handler.
class SecretInterceptor : public QWebEngineUrlRequestInterceptor
{
public:
    SecretInterceptor(QByteArray secret, QObject *parent)
        : QWebEngineUrlRequestInterceptor(parent), m_secret(std::move(secret)) {}

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.requestUrl().scheme().toLatin1() == attachmentScheme)
            info.setHttpHeader(secretHeader, m_secret);
    }

private:
    const QByteArray m_secret;
};

} // namespace

namespace KzChartHost {

bool attachmentsAvailable()
{
    static const bool available = QWebEngineUrlScheme::schemeByName(attachmentScheme).name() == attachmentScheme;
    return available;
}

QByteArray newPageSecret()
{
    return QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
}

void offerAttachment(const QByteArray &ownerSecret, const Attachment &attachment)
{
    offers().insert(attachment.id, {attachment.doubles, ownerSecret});
}

void withdrawAttachments(const QStringList &ids)
{
    for (const QString &id : ids)
        offers().remove(id);
}

void serveAttachments(QWebEnginePage *page, const QByteArray &secret)
{
    static AttachmentHandler handler;
    if (!attachmentsAvailable())
        return;
    QWebEngineProfile *profile = page->profile();
    if (!profile->urlSchemeHandler(attachmentScheme))
        profile->installUrlSchemeHandler(attachmentScheme, &handler);
    page->setUrlRequestInterceptor(new SecretInterceptor(secret, page));
}

} // namespace KzChartHost
