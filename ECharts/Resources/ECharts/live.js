// Live data for the line pages: samples that the host appends to the series
// a chart holds (appendLiveData), drawn without rebuilding the chart, and a
// view that follows the newest sample until the user zooms or pans away.
//
// An append goes into the series' store (largeseries.js), where the oldest
// points go as the host's retention says, and asks for a frame; the frame
// draws whatever arrived since the last one with one setOption that carries
// only the series' data, the category labels when they changed, and the x
// zoom window: legend selection, tooltips, y zoom, titles and alarm lines
// stay as they are, and nothing animates. Appends that come faster than the
// page draws (or while the view is hidden and frames stop) cost the page
// only their storing. A long series is cut per pixel column as on a zoom;
// at one zoom the cut is carried along from the new points (cutStore), so
// that a frame costs what arrived and the chart's width, not the history.

// Whether the x zoom window follows the newest sample.
var liveFollowing = true;
// The category labels to draw at the next frame, or null when they have not
// changed; and how many of the oldest labels went since the last frame.
var liveLabels = null;
var liveLabelsDropped = 0;
var liveFrameAsked = false;

function liveXAxis() {
    var model = myChart.getModel();
    return model && model.getComponent('xAxis', 0);
}

// The store of the series at index, made from what ECharts holds when the
// series has none yet; null when the chart has no such series.
function liveStore(index) {
    var model = myChart.getModel().getSeriesByIndex(index);
    if (!model)
        return null;
    if (!largeSeries[index]) {
        largeSeries[index] = storeOf(model.option.data || [], null)
            || newStore(new Float64Array(0), new Float64Array(0), 0, false);
    }
    return largeSeries[index];
}

// batch: {labels, keepLabels, series: [{y, keep}]} on a category axis, where
// each series' new values belong to the newest labels, or {series: [{x, y,
// keep}]} on a numeric one; series in chart order, keep the number of
// points that the series holds afterwards.
function appendLiveData(batch) {
    var axis = liveXAxis();
    if (!axis)
        return;
    var category = !!batch.labels;
    var labelCount = 0, dropped = 0;
    if (category) {
        var labels = liveLabels || (axis.option.data || []).map(function (label) {
            return label !== null && typeof label === 'object' ? label.value : label;
        });
        batch.labels.forEach(function (label) { labels.push(label); });
        labelCount = labels.length;
        dropped = Math.max(0, labelCount - batch.keepLabels);
        liveLabels = dropped ? labels.slice(dropped) : labels;
        liveLabelsDropped += dropped;
    }
    for (var index = 0; myChart.getModel().getSeriesByIndex(index); ++index) {
        var store = liveStore(index);
        var item = batch.series[index];
        if (category)
            appendOnLabels(store, item ? item.y : [], labelCount, dropped);
        else if (item)
            appendPoints(store, item);
    }
    askForFrame();
}

// Values that end at the last of labelCount labels; then the points on the
// dropped oldest labels go, and x counts from the first label left.
function appendOnLabels(store, ys, labelCount, dropped) {
    var from = labelCount - ys.length + store.shift;
    while (store.end > store.first && store.xs[store.end - 1] >= from)
        --store.end;
    // Values over categories have a gap wherever they have no value.
    var x = store.end > store.first ? store.xs[store.end - 1] + 1 : store.shift;
    for (; store.plain && x < from; ++x)
        storeAppend(store, x, NaN);
    ys.forEach(function (y, j) { storeAppend(store, from + j, y === null ? NaN : y); });
    store.shift += dropped;
    while (store.first < store.end && store.xs[store.first] < store.shift)
        ++store.first;
}

function appendPoints(store, item) {
    item.x.forEach(function (x, j) { storeAppend(store, x, item.y[j] === null ? NaN : item.y[j]); });
    store.first = Math.max(store.first, store.end - item.keep);
}

function askForFrame() {
    if (liveFrameAsked)
        return;
    liveFrameAsked = true;
    requestAnimationFrame(drawLive);
}

// The oldest and the newest x on the chart (ECharts' coordinates), of the
// stores and of the first and last points of the series that have none.
function liveExtent() {
    var extent = [Infinity, -Infinity];
    var take = function (x) {
        if (typeof x === 'number' && isFinite(x)) {
            extent[0] = Math.min(extent[0], x);
            extent[1] = Math.max(extent[1], x);
        }
    };
    for (var index = 0, model; (model = myChart.getModel().getSeriesByIndex(index)); ++index) {
        var store = largeSeries[index];
        var data = model.option.data || [];
        if (store && store.end > store.first) {
            take(store.xs[store.first] - store.shift);
            take(store.xs[store.end - 1] - store.shift);
        } else if (!store && data.length) {
            take(Array.isArray(data[0]) ? data[0][0] : 0);
            take(Array.isArray(data[data.length - 1]) ? data[data.length - 1][0] : data.length - 1);
        }
    }
    return extent;
}

// The dataZoom components on the x axis, by component index.
function liveXZooms() {
    var zooms = [];
    myChart.getModel().eachComponent('dataZoom', function (zoom, index) {
        if (zoom.getAxisProxy('x', 0))
            zooms[index] = zoom;
    });
    return zooms;
}

function drawLive() {
    liveFrameAsked = false;
    var axis = liveXAxis();
    if (!axis || !axis.axis)
        return;
    var option = {series: [], xAxis: [{}], dataZoom: []};
    for (var index = 0; myChart.getModel().getSeriesByIndex(index); ++index)
        option.series[index] = {};
    var dropped = liveLabelsDropped;
    liveLabelsDropped = 0;
    if (liveLabels)
        option.xAxis[0].data = liveLabels;
    liveLabels = null;
    var extent = liveExtent();
    var zooms = liveXZooms();
    var window = zooms.length ? zooms.filter(Boolean)[0].getValueRange('x', 0) : null;
    var range = extent.slice();
    if (window && extent[0] <= extent[1]) {
        // Following keeps the window's width and ends it at the newest
        // sample; otherwise the window stays on the samples it showed.
        range = liveFollowing ? [extent[1] - (window[1] - window[0]), extent[1]]
                              : [window[0] - dropped, window[1] - dropped];
        range[0] = Math.max(range[0], Math.min(extent[0], range[1]));
        myChart.getModel().eachComponent('dataZoom', function (zoom, index) {
            option.dataZoom[index] = zooms[index] ? {startValue: range[0], endValue: range[1]} : {};
        });
    }
    if (axis.get('type') !== 'category' && extent[0] <= extent[1]) {
        // Fixed bounds widen to take in the newest and the retained points.
        var min = axis.option.min, max = axis.option.max;
        if (typeof max === 'number' && max < extent[1])
            option.xAxis[0].max = extent[1];
        if (typeof min === 'number' && typeof max === 'number' && min < extent[0] && extent[0] <= max)
            option.xAxis[0].min = extent[0];
    }
    var width = largeSeriesView(myChart).width;
    // A series that grows long enough to be reduced draws as the long
    // series do, without symbols.
    option.series.forEach(function (item, index) {
        var store = largeSeries[index];
        if (store)
            option.series[index] = {data: storeData(store, range[0], range[1], width), animation: false,
                                    showSymbol: !isReduced(store)};
    });
    largeSeriesCut = {x0: range[0], x1: range[1], width: width};
    // A point hovered on a long series keeps its tooltip: the point under
    // the mouse in the new cut is hovered again, after ECharts' own attempt
    // to keep the tooltip (a timer of its update), which finds no symbol
    // there.
    var hovered = largeSeriesHovered;
    largeSeriesHovered = null;
    // The axes and the zoom bars move with every frame: animated, they would
    // redraw the chart at the screen's rate between appends (a quarter more
    // of the renderer's time). The chart-wide switch is off for this update
    // alone, so that the host's setters animate on.
    var globalOption = myChart.getModel().option;
    var animation = globalOption.animation;
    globalOption.animation = false;
    try {
        myChart.setOption(option);
        if (hovered) {
            setTimeout(function () {
                if (largeSeriesMouse)
                    hoverLargeSeries(largeSeriesMouse);
            });
        }
        // Should ECharts have settled on another window, the long series are
        // cut again for it.
        refreshLargeSeries();
    } finally {
        globalOption.animation = animation;
    }
}

// A zoom or pan of the user's: the view follows while its right edge is at
// the newest sample (within a pixel).
function liveZoomed() {
    var axis = liveXAxis();
    if (!axis || !axis.axis || !myChart.getModel().getSeriesByIndex(0))
        return;
    var view = axis.axis.scale.getExtent();
    var following = view[1] >= liveExtent()[1] - (view[1] - view[0]) / largeSeriesView(myChart).width;
    if (following === liveFollowing)
        return;
    liveFollowing = following;
    reportToWidget('changedFollowing', following);
    if (following)
        askForFrame();
}

// Called once by a page that takes appends.
function watchLiveData() {
    onChartCreated(function (chart) {
        chart.on('datazoom', liveZoomed);
    });
}

function setFollowing(following) {
    liveFollowing = following;
    if (following)
        askForFrame();
}
