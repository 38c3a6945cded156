// The chart's theme. ECharts fixes the theme when it creates a chart, so the
// page switches themes by creating its chart anew: it keeps what the chart
// shows (the option as ECharts holds it: every fragment merged, series data
// as drawn, zoom windows, legend selection), disposes of the chart, creates
// one in the new theme, gives it the kept option and runs every
// onChartCreated() setup for it. What the old theme put into the option
// comes out first, or its colours would stay: a value is the theme's where
// it equals the theme's value at that place (of a list, such as the series
// palette, the tail that equals the theme's). Colours that the host set
// stay, since they differ from the theme's.
//
// The host names the theme: "macarons", "light" and "dark" are ECharts' own;
// a theme that the host builds (from the widget's palette) comes along with
// its name and is registered under it. The host also gives the colour that
// the page shows around the chart, which it gives the view as well, so that
// the first frame already has it. Before the page's scripts run, the host
// puts the chart's theme into window.hostTheme as {name, theme, background},
// so that the first chart is created in it, also when the page is loaded
// again after its renderer died; setChartTheme() takes the same object.

// The host's own theme as registered last, as JSON text; null for a named one.
var registeredTheme = null;
// Functions that give the page's own coloured texts the theme's colours.
var themeSetups = [];

// Registers the host's own theme and shows its background around the chart.
function takeTheme(given) {
    if (given.theme)
        echarts.registerTheme(given.name, given.theme);
    registeredTheme = given.theme ? JSON.stringify(given.theme) : null;
    document.body.style.backgroundColor = given.background;
}

// The theme to create the first chart in. The web engine may start a page
// without the host's script now and then (a page of a new renderer, say):
// the chart then starts in macarons, and the host's setChartTheme() call,
// which every load replays, switches it.
function startingTheme() {
    if (typeof hostTheme === 'undefined')
        return 'macarons';
    takeTheme(hostTheme);
    return hostTheme.name;
}

// Runs setup now and after every switch of theme: for colours that a page's
// base option sets for a light background.
function onThemeChanged(setup) {
    themeSetups.push(setup);
    setup();
}

// value without what given, the theme's value at the same place, put into
// it. A list of components (the option's "title", "legend"...) takes the
// theme's value for each of them.
function withoutTheme(value, given) {
    if (given === undefined || given === null || value === undefined || value === null)
        return value;
    if (Array.isArray(value) && Array.isArray(given)) {
        var end = value.length;
        while (end > 0 && end <= given.length && JSON.stringify(value[end - 1]) === JSON.stringify(given[end - 1]))
            --end;
        return end > 0 ? value.slice(0, end) : undefined;
    }
    if (Array.isArray(value) && typeof given === 'object') {
        return value.map(function (item) { return withoutTheme(item, given); });
    }
    if (typeof value === 'object' && typeof given === 'object') {
        Object.keys(given).forEach(function (key) {
            var rest = withoutTheme(value[key], given[key]);
            if (rest === undefined)
                delete value[key];
            else
                value[key] = rest;
        });
        return value;
    }
    return JSON.stringify(value) === JSON.stringify(given) ? undefined : value;
}

// The chart's option without what theme gave it. Axes take the theme's value
// of their type ("categoryAxis"...), series that of theirs ("line"...).
function optionWithoutTheme(option, theme) {
    Object.keys(option).forEach(function (key) {
        var typed = {xAxis: 'Axis', yAxis: 'Axis', series: ''}[key];
        var rest = typed === undefined ? withoutTheme(option[key], theme[key]) : option[key].map(function (item) {
            return withoutTheme(item, theme[item.type + typed]);
        });
        if (rest === undefined)
            delete option[key];
        else
            option[key] = rest;
    });
    return option;
}

function setChartTheme(given) {
    if (given.name === chartTheme && (given.theme ? JSON.stringify(given.theme) : null) === registeredTheme)
        return;
    var kept = optionWithoutTheme(myChart.getOption(), myChart.getModel().getTheme().option);
    myChart.dispose();
    // The point that the mouse is over belongs to the old chart.
    largeSeriesHovered = null;
    takeTheme(given);
    chartTheme = given.name;
    myChart = echarts.init(mainContainer, chartTheme);
    // What the chart shows stays where it is: nothing grows in again.
    var animation = kept.animation;
    kept.animation = false;
    myChart.setOption(kept);
    // After the option, as for the first chart, whose base option came
    // first: ECharts' own mouse handlers (the tooltip's) then run before the
    // page's, which may show a tooltip that ECharts' would hide again.
    chartSetups.forEach(function (setup) { setup(myChart); });
    refreshLargeSeries();
    themeSetups.forEach(function (setup) { setup(); });
    myChart.setOption({animation: animation});
}
