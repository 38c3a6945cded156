#ifndef KZCHARTATTACHMENTS_H
#define KZCHARTATTACHMENTS_H

#include "kzchartjsonwriter.h"

#include <QByteArray>

#include <QStringList>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
QT_END_NAMESPACE

// Long series go to the pages as attachments: binary doubles that a page
// fetches from the library's own URL scheme (kzchartdata:<id>, see
// pagecalls.js) after the call naming them has returned, because parsing
// them as script text would hold the page, and writing them as text the host,
// for a tenth of a second per 100k points.
namespace KzChartHost {

// Whether the pages can fetch attachments: the web engine accepts a scheme
// only before it starts, so the library registers it while it is loaded,
// which for an application linked to it is before main(). Loaded later (as a
// plugin, say), the library sends every series as text.
bool attachmentsAvailable();

// A page's secret: random, kept by the host, never seen by page script.
QByteArray newPageSecret();

// Lets page fetch the attachments offered to its secret: the scheme's handler
// on the page's profile serves an attachment only to requests that carry the
// secret of the page it was offered to, which the page's own request
// interceptor adds to that page's requests. Does nothing when attachments are
// not available.
void serveAttachments(QWebEnginePage *page, const QByteArray &secret);

// Makes the attachment fetchable by the page whose secret is ownerSecret,
// and by no other page, until it is withdrawn.
void offerAttachment(const QByteArray &ownerSecret, const Attachment &attachment);
void withdrawAttachments(const QStringList &ids);

} // namespace KzChartHost

#endif // KZCHARTATTACHMENTS_H
