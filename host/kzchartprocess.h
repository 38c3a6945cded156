#ifndef KZCHARTPROCESS_H
#define KZCHARTPROCESS_H

// Set-up that concerns the whole process rather than one chart
// (KzChart::useProcessPerSite() lives here too).
namespace KzChartHost {

// Keeps the web channel's notices about the chart widgets' properties off the
// host's console; done once, with the first chart.
void filterChannelNotices();

} // namespace KzChartHost

#endif // KZCHARTPROCESS_H
