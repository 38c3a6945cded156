// The benchmark's sections, one function each (see kzchartbench.cpp).
#ifndef SECTIONS_H
#define SECTIONS_H

struct Settings;

// Construction until ready, per widget, against a bare page and Qt Charts.
void benchReady(const Settings &settings);
// The line charts' setters at 1k to 100k points: the C++ call, the call
// until the window shows the chart and the longest wait for the page,
// against plain ECharts and Qt Charts drawing the same points.
void benchSetters(const Settings &settings);
// Every setter's C++ work at 100k items, against a plain writer.
void benchCalls(const Settings &settings);
// Six charts in one window.
void benchDashboard(const Settings &settings);
// Memory per chart with 1 to 20 charts alive.
void benchMemory(const Settings &settings);
// Charts fed a stream of samples for half a minute, against the native
// peers: one chart (W1) and six in one window (W2).
void benchLive(const Settings &settings);
// A renderer killed: the chart's own recovery against a bare view's reload.
void benchRecovery(const Settings &settings);
// Pictures, SVG and PDF of a monitoring chart with four long series, against
// the chart's grab(), plain ECharts in a bare page and Qt Charts.
void benchExport(const Settings &settings);

#endif // SECTIONS_H
