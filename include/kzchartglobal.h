#ifndef KZCHARTGLOBAL_H
#define KZCHARTGLOBAL_H

#include <QtCore/qglobal.h>

QT_BEGIN_NAMESPACE
class QString;
QT_END_NAMESPACE

// Every public class of the library is exported from the shared library when
// it is being built and imported by the applications that link it.
#if defined(KZCHARTWIDGET_LIBRARY)
#  define KZCHARTWIDGET_EXPORT Q_DECL_EXPORT
#else
#  define KZCHARTWIDGET_EXPORT Q_DECL_IMPORT
#endif

namespace KzChart {

// Lets the chart pages of this process share one WebEngine renderer
// (Chromium's process-per-site mode; all charts come from the same site):
// in a dashboard the second and later charts are ready several times sooner
// and each costs about half the memory, but all charts then draw on one
// thread, and a renderer crash makes them all reload at once. Chromium reads its flags once, when the
// first web view of the process is created: call this before that, first
// thing in main() for instance. The host's own flags are kept (the mode is
// appended to QTWEBENGINE_CHROMIUM_FLAGS); when they already choose a
// process model (--single-process, --process-per-tab) they are left alone
// and false is returned.
KZCHARTWIDGET_EXPORT bool useProcessPerSite();

// Makes every chart constructed afterwards start in the theme called name:
// "macarons" (the default), "light", "dark" or "palette" (the widget's
// palette; see the charts' setTheme()). Charts that exist keep their theme.
// An unknown name is refused with a warning in the logging category
// "kzchart". Call it on the thread that makes the charts.
KZCHARTWIDGET_EXPORT void setDefaultTheme(const QString &name);

} // namespace KzChart

#endif // KZCHARTGLOBAL_H
