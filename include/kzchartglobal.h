#ifndef KZCHARTGLOBAL_H
#define KZCHARTGLOBAL_H

#include <QtCore/qglobal.h>

// Every public class of the library is exported from the shared library when
// it is being built and imported by the applications that link it.
#if defined(KZCHARTWIDGET_LIBRARY)
#  define KZCHARTWIDGET_EXPORT Q_DECL_EXPORT
#else
#  define KZCHARTWIDGET_EXPORT Q_DECL_IMPORT
#endif

#endif // KZCHARTGLOBAL_H
