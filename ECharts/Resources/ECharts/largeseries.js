// Long line series for the line pages. A series of more than
// largeSeriesThreshold points is handed to ECharts reduced to what the chart
// can show: within the x range in view, every pixel column keeps its lowest
// and highest point (in data order), and its first missing value if it has
// one, so that gaps stay gaps. Every peak and trough that can appear at the
// chart's width is drawn, with its real data values (tooltips and hit tests
// see real points), while ECharts lays out two points per pixel column
// instead of hundreds of thousands. Points left and right of the view are
// kept the same way, as one column on each side, so lines still run to the
// edges and auto ranges stay the same. The reduction is redone when the view
// changes (zoom, resize, new axes).
// Series at or below the threshold are passed on untouched. Reduced series
// are drawn without animation, which would replay on every zoom, and without
// symbols, which would cost most of the drawing time; the point under the
// mouse gets its symbol and tooltip on demand instead (hoverLargeSeries).
// Long series out of ascending x order are drawn in full, without symbols.
// Long category axes need nothing here: the page's option guard thins their
// labels.
//
// The data of such a series need not come as text at all: the host may send
// it as an attachment (pagecalls.js), and the series' data in the option is
// then {attachment: id, pairs: bool}.
var largeSeriesThreshold = 5000;

// A number as JSON would have carried it: not finite is null.
function jsonNumber(value) {
    return isFinite(value) ? value : null;
}

// The data of an attachment as ECharts takes it from text.
function attachmentData(points) {
    var data = new Array(points.ys.length);
    for (var i = 0; i < data.length; ++i)
        data[i] = points.pairs ? [jsonNumber(points.xs[i]), jsonNumber(points.ys[i])] : jsonNumber(points.ys[i]);
    return data;
}

// Per series index: the full points of a reduced series, or null.
var largeSeries = [];
// Per series index: whether the series is drawn without symbols, being long.
var barelyDrawn = [];
// The x range and width that the reduced series were last cut for.
var largeSeriesCut = null;

// {xs, ys, pairs} of data (an array or an attachment's doubles; xs null
// for plain values, whose x is their index), or null when the points are
// not in ascending x order (a depth profile, say): cutting such a line into
// x columns would reorder it, so it is drawn as it is.
function largeSeriesSource(data, points) {
    if (points) {
        var given = points.xs;
        for (var k = 0; given && k < given.length; ++k) {
            if (!isFinite(given[k]) || (k > 0 && given[k] < given[k - 1]))
                return null;
        }
        return points;
    }
    var xs = new Float64Array(data.length);
    var ys = new Float64Array(data.length);
    var pairs = false;
    for (var i = 0; i < data.length; ++i) {
        var item = data[i], x = i, y = item;
        if (Array.isArray(item)) {
            pairs = true;
            x = item[0];
            y = item[1];
        } else if (item !== null && typeof item === 'object') {
            return null;
        }
        if (typeof x !== 'number' || !isFinite(x) || (i > 0 && x < xs[i - 1]))
            return null;
        xs[i] = x;
        ys[i] = typeof y === 'number' ? y : NaN;
    }
    return {xs: pairs ? xs : null, ys: ys, pairs: pairs};
}

// Point index of source as ECharts gets it: plain values become
// [index, value], so that they keep their place on the x axis.
function sourcePoint(source, index) {
    return [source.xs ? source.xs[index] : index, jsonNumber(source.ys[index])];
}

// The points of source to draw for the x range [x0, x1] over width columns.
// The loop over the points is plain: it runs over every point on every zoom.
function reduceSeriesPoints(source, x0, x1, width) {
    var xs = source.xs, ys = source.ys, n = ys.length;
    var scale = x1 > x0 ? width / (x1 - x0) : 0;
    var points = [];
    var i = 0;
    while (i < n) {
        var x = xs ? xs[i] : i;
        var current = x < x0 ? -1 : x > x1 ? width : Math.min(width - 1, Math.floor((x - x0) * scale));
        var low = -1, high = -1, gap = -1, j = i;
        for (; j < n; ++j) {
            x = xs ? xs[j] : j;
            var column = x < x0 ? -1 : x > x1 ? width : Math.min(width - 1, Math.floor((x - x0) * scale));
            if (column !== current)
                break;
            var y = ys[j];
            if (y !== y) {
                if (gap < 0)
                    gap = j;
            } else if (low < 0) {
                low = high = j;
            } else if (y < ys[low]) {
                low = j;
            } else if (y > ys[high]) {
                high = j;
            }
        }
        // The column's points in data order, each once.
        [low, high, gap].filter(function (index, position, all) {
            return index >= 0 && all.indexOf(index) === position;
        }).sort(function (a, b) {
            return a - b;
        }).forEach(function (index) {
            points.push(sourcePoint(source, index));
        });
        i = j;
    }
    return points;
}

// option with each long series standing in by its first, lowest, highest
// and last points, which give the axes their extents; refreshLargeSeries()
// then cuts the series for the view that ECharts has worked out.
// rebuilt: the chart was cleared, so no earlier series is left.
function reduceLargeSeries(option, rebuilt) {
    if (rebuilt) {
        largeSeries = [];
        barelyDrawn = [];
        largeSeriesHovered = null;
    }
    if (!option || !Array.isArray(option.series))
        return option;
    var result = Object.assign({}, option);
    result.series = option.series.map(function (item, index) {
        var points = item && isAttachment(item.data) ? takeAttachment(item.data) : null;
        if (!item || !(points || Array.isArray(item.data)))
            return item;
        var wasBare = !!barelyDrawn[index];
        var long = (points ? points.ys.length : item.data.length) > largeSeriesThreshold;
        var source = long ? largeSeriesSource(item.data, points) : null;
        largeSeries[index] = source;
        barelyDrawn[index] = long;
        if (points && !source)
            item = Object.assign({}, item, {data: attachmentData(points)});
        // 6000 symbols took a second per call.
        if (!source && long)
            return Object.assign({}, item, {showSymbol: false});
        if (!source)
            return wasBare ? Object.assign({}, item, {animation: true, showSymbol: true}) : item;
        var last = source.ys.length - 1;
        var points = reduceSeriesPoints(source, source.xs ? source.xs[0] : 0, source.xs ? source.xs[last] : last, 1);
        return Object.assign({}, item, {
            animation: false,
            showSymbol: false,
            data: [sourcePoint(source, 0)].concat(points, [sourcePoint(source, last)])
        });
    });
    largeSeriesCut = null;
    return result;
}

// The x range and the width in pixels that chart (the page's chart or a copy
// of it) shows its x axis at, or null without an x axis.
function largeSeriesView(chart) {
    var axisModel = chart.getModel().getComponent('xAxis', 0);
    if (!axisModel || !axisModel.axis)
        return null;
    var range = axisModel.axis.scale.getExtent();
    var pixels = axisModel.axis.getGlobalExtent();
    return {x0: range[0], x1: range[1], width: Math.max(1, Math.ceil(Math.abs(pixels[1] - pixels[0])))};
}

// The series option that cuts every reduced series for view.
function largeSeriesOption(view) {
    return {
        series: largeSeries.map(function (source) {
            return source ? {data: reduceSeriesPoints(source, view.x0, view.x1, view.width)} : {};
        })
    };
}

// Cuts the reduced series again for the x range and width in view, when
// they have changed enough to matter.
function refreshLargeSeries() {
    if (!largeSeries.some(Boolean))
        return;
    var view = largeSeriesView(myChart);
    var cut = largeSeriesCut;
    if (!view || (cut && cut.x0 === view.x0 && cut.x1 === view.x1 && cut.width === view.width))
        return;
    largeSeriesCut = view;
    // The hovered point's index means nothing in the new cut.
    hoverLargeSeries(null);
    myChart.setOption(largeSeriesOption(view));
}

// The reduced point under the mouse, {seriesIndex, dataIndex}, or null.
var largeSeriesHovered = null;

// Gives the shown point of a reduced series nearest to the mouse (within
// a symbol's reach) a symbol, which ECharts' own item tooltip and mouse
// events then treat like any drawn symbol. event null: the mouse left.
function hoverLargeSeries(event) {
    var found = null, reach = 6;
    var model = myChart.getModel();
    largeSeries.forEach(function (source, seriesIndex) {
        var seriesModel = source && event && model.getSeriesByIndex(seriesIndex);
        if (!seriesModel || model.isSeriesFiltered(seriesModel))
            return;
        var data = seriesModel.getData();
        for (var i = 0, count = data.count(); i < count; ++i) {
            var point = data.getItemLayout(i);
            var distance = point ? Math.max(Math.abs(point[0] - event.offsetX), Math.abs(point[1] - event.offsetY)) : NaN;
            if (distance <= reach) {
                reach = distance;
                found = {seriesIndex: seriesIndex, dataIndex: i};
            }
        }
    });
    var before = largeSeriesHovered;
    if (before && found && before.seriesIndex === found.seriesIndex && before.dataIndex === found.dataIndex)
        return;
    largeSeriesHovered = found;
    if (before)
        myChart.dispatchAction(Object.assign({type: 'downplay'}, before));
    if (found) {
        myChart.dispatchAction(Object.assign({type: 'highlight'}, found));
        myChart.dispatchAction(Object.assign({type: 'showTip'}, found));
    }
}

// Called once by a page that reduces its series.
function watchLargeSeries() {
    onChartCreated(function (chart) {
        chart.on('datazoom', refreshLargeSeries);
        chart.getZr().on('mousemove', function (event) {
            if (largeSeries.some(Boolean))
                hoverLargeSeries(event);
        });
    });
    window.addEventListener('resize', function () {
        // After the page's own handler has resized the chart.
        setTimeout(refreshLargeSeries, 0);
    });
}
