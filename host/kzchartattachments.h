#ifndef KZCHARTATTACHMENTS_H
#define KZCHARTATTACHMENTS_H

#include "kzchartjsonwriter.h"

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

// Makes the attachment fetchable by the page owner, and by no other page,
// until it is withdrawn.
void offerAttachment(const QWebEnginePage *owner, const Attachment &attachment);
void withdrawAttachments(const QStringList &ids);

// Serves the attachments to the pages of owner's profile; does nothing when
// attachments are not available.
void serveAttachments(QWebEnginePage *owner);

} // namespace KzChartHost

#endif // KZCHARTATTACHMENTS_H
