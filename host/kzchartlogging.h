#ifndef KZCHARTLOGGING_H
#define KZCHARTLOGGING_H

#include <QLoggingCategory>

// "kzchart": the library's own warnings, such as refused calls and pages that
// failed to load. On by default, as Qt's own warnings are.
Q_DECLARE_LOGGING_CATEGORY(lcChart)
// "kzchart.page": what the chart pages write to their console (script errors
// as warnings, everything else as debug messages). Off by default:
// QT_LOGGING_RULES="kzchart.page=true" shows it.
Q_DECLARE_LOGGING_CATEGORY(lcChartPage)

#endif // KZCHARTLOGGING_H
