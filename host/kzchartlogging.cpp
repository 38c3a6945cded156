#include "kzchartlogging.h"

Q_LOGGING_CATEGORY(lcChart, "kzchart")
Q_LOGGING_CATEGORY(lcChartPage, "kzchart.page", QtCriticalMsg)
