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
// changes (zoom, resize, new axes); while the zoom stays, the columns are
// carried along as points arrive and go (live.js).
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

// Per series index: the points that the page holds of a series whose data
// it hands to ECharts itself (a store), or null. Long series are held to be
// reduced; series that take appends are held to grow (live.js).
var largeSeries = [];
// Per series index: whether the series is drawn without symbols, being long.
var barelyDrawn = [];
// The x range and width that the reduced series were last cut for.
var largeSeriesCut = null;

// A series' points as the page holds them: point i at xs[i], ys[i] for
// first <= i < end, in typed arrays that grow by doubling as points are
// appended (storeAppend) while the oldest points go by moving first.
// ECharts has the x of a point as xs[i] - shift: a category axis counts
// from its first label, and shift grows as the oldest labels go. plain: the
// data were values over categories (a missing value is a gap at its index).
// ascending: x never goes back, so the series can be cut into pixel
// columns. columns: the cut last made (cutStore).
function newStore(xs, ys, count, plain) {
    var ascending = true;
    for (var i = 0; i < count && ascending; ++i)
        ascending = isFinite(xs[i]) && (i === 0 || xs[i] >= xs[i - 1]);
    return {xs: xs, ys: ys, first: 0, end: count, shift: 0, plain: plain, ascending: ascending, columns: null};
}

// The store of data (an array, or an attachment's doubles), or null for data
// that are not plain values or [x, y] pairs.
function storeOf(data, points) {
    var n = points ? points.ys.length : data.length;
    var xs = points && points.xs ? points.xs : new Float64Array(n);
    var ys = points ? points.ys : new Float64Array(n);
    var plain = !(points && points.pairs);
    for (var i = 0; !points && i < n; ++i) {
        var item = data[i], x = i, y = item;
        if (Array.isArray(item)) {
            plain = false;
            x = item[0];
            y = item[1];
        } else if (item !== null && typeof item === 'object') {
            return null;
        }
        xs[i] = typeof x === 'number' ? x : NaN;
        ys[i] = typeof y === 'number' ? y : NaN;
    }
    for (var k = 0; points && !points.xs && k < n; ++k)
        xs[k] = k;
    return newStore(xs, ys, n, plain);
}

function isReduced(store) {
    return !!store && store.ascending && store.end - store.first > largeSeriesThreshold;
}

// Appends the point (x, y) in store coordinates. Full arrays move their
// points to the front, or into arrays twice as long as the points need.
function storeAppend(store, x, y) {
    if (store.end === store.ys.length) {
        var count = store.end - store.first;
        var xs = store.xs, ys = store.ys;
        if (count * 2 > ys.length) {
            xs = new Float64Array(Math.max(16, count * 2));
            ys = new Float64Array(xs.length);
        }
        xs.set(store.xs.subarray(store.first, store.end));
        ys.set(store.ys.subarray(store.first, store.end));
        if (store.columns)
            rebaseColumns(store.columns, -store.first);
        store.xs = xs;
        store.ys = ys;
        store.first = 0;
        store.end = count;
    }
    if (store.end > store.first && !(x >= store.xs[store.end - 1]))
        store.ascending = false;
    store.xs[store.end] = x;
    store.ys[store.end++] = y;
}

// A pixel column's lowest, highest and first missing point (indexes, -1
// for none). Columns are cut on a grid of width bw from x = 0, so that
// columns stay the same as the view slides at one zoom.
function newColumn() {
    return {low: -1, high: -1, gap: -1};
}

function addToColumn(column, ys, index) {
    var y = ys[index];
    if (y !== y) {
        if (column.gap < 0)
            column.gap = index;
    } else if (column.low < 0) {
        column.low = column.high = index;
    } else if (y < ys[column.low]) {
        column.low = index;
    } else if (y > ys[column.high]) {
        column.high = index;
    }
}

function mergeColumn(into, column, ys) {
    [column.low, column.high, column.gap].forEach(function (index) {
        if (index >= 0)
            addToColumn(into, ys, index);
    });
}

function rebaseColumns(cut, delta) {
    [cut.left, cut.right].concat(cut.columns).forEach(function (column) {
        if (!column)
            return;
        ['low', 'high', 'gap'].forEach(function (key) {
            if (column[key] >= 0)
                column[key] += delta;
        });
    });
    cut.first += delta;
    cut.viewStart += delta;
    cut.next += delta;
}

// Cuts store for the columns c0 to c1 of width bw (store coordinates):
// every column in view, and all points left and all points right of the
// view as one column each, so that lines run to the edges and auto ranges
// stay the same.
function rebuildColumns(store, bw, c0, c1) {
    var cut = {bw: bw, c0: c0, c1: c1, columns: [], left: newColumn(), right: newColumn(),
               first: store.first, viewStart: store.first, next: store.first};
    store.columns = cut;
    binPoints(store, cut);
    return cut;
}

// Bins the points that the cut has not seen yet.
function binPoints(store, cut) {
    var xs = store.xs, ys = store.ys, bw = cut.bw;
    // The loop is plain: after a zoom it runs over every point.
    for (var i = cut.next; i < store.end; ++i) {
        var column = Math.floor(xs[i] / bw);
        if (column < cut.c0) {
            addToColumn(cut.left, ys, i);
            cut.viewStart = i + 1;
        } else if (column > cut.c1) {
            addToColumn(cut.right, ys, i);
        } else {
            addToColumn(cut.columns[column - cut.c0] || (cut.columns[column - cut.c0] = newColumn()), ys, i);
        }
    }
    cut.next = store.end;
}

function holdsDropped(column, first) {
    return (column.low >= 0 && column.low < first) || (column.gap >= 0 && column.gap < first);
}

// Brings the last cut up to the view [c0, c1] at the same zoom, from the
// points that arrived and left since: the columns of dropped points are cut
// again from the points left in them, columns that leave on the left join
// the left column, new points go into their columns. False when the last
// cut cannot be brought along (the view moved left, points right of the
// view would come into it, every point cut went); the points are then cut
// afresh.
function advanceColumns(store, cut, c0, c1) {
    var rightEmpty = cut.right.low < 0 && cut.right.gap < 0;
    if (c0 < cut.c0 || c1 < cut.c1 || store.first >= cut.next || store.end < cut.next
            || (c1 > cut.c1 && !rightEmpty) || holdsDropped(cut.right, store.first))
        return false;
    var xs = store.xs, ys = store.ys, bw = cut.bw;
    if (store.first > cut.first) {
        if (holdsDropped(cut.left, store.first)) {
            cut.left = newColumn();
            for (var i = store.first; i < cut.viewStart; ++i)
                addToColumn(cut.left, ys, i);
        }
        if (store.first > cut.viewStart) {
            // Points in view went: columns before the oldest point left
            // are empty, and its own column keeps the points after it.
            var column = Math.floor(xs[store.first] / bw) - cut.c0;
            cut.columns.fill(undefined, 0, Math.max(0, Math.min(column, cut.columns.length)));
            if (column >= 0 && column < cut.columns.length) {
                cut.columns[column] = newColumn();
                for (var j = store.first; j < cut.next && Math.floor(xs[j] / bw) - cut.c0 === column; ++j)
                    addToColumn(cut.columns[column], ys, j);
            }
            cut.viewStart = store.first;
        }
        cut.first = store.first;
    }
    var leaving = Math.min(c0 - cut.c0, cut.columns.length);
    for (var k = 0; k < leaving; ++k) {
        if (cut.columns[k])
            mergeColumn(cut.left, cut.columns[k], ys);
    }
    cut.columns = cut.columns.slice(c0 - cut.c0);
    while (cut.viewStart < cut.next && Math.floor(xs[cut.viewStart] / bw) < c0)
        ++cut.viewStart;
    cut.c0 = c0;
    cut.c1 = c1;
    binPoints(store, cut);
    return true;
}

// The points of store to draw for the x range [x0, x1] (ECharts'
// coordinates) over width columns, as [x, y] pairs in data order, the
// newest point always among them: a live line reaches its newest sample.
function cutStore(store, x0, x1, width) {
    x0 += store.shift;
    x1 += store.shift;
    var bw = x1 > x0 ? (x1 - x0) / width : Math.max(1, Math.abs(x0));
    var cut = store.columns;
    if (cut && Math.abs(cut.bw - bw) <= 1e-9 * bw)
        bw = cut.bw;
    var c0 = Math.floor(x0 / bw), c1 = Math.floor(x1 / bw);
    if (!cut || cut.bw !== bw || !advanceColumns(store, cut, c0, c1))
        cut = rebuildColumns(store, bw, c0, c1);
    var points = [];
    pushColumn(store, cut.left, points);
    for (var k = 0; k < cut.columns.length; ++k)
        pushColumn(store, cut.columns[k], points);
    pushColumn(store, cut.right, points);
    var last = points.length ? points[points.length - 1][0] + store.shift : NaN;
    if (store.end > store.first && last !== store.xs[store.end - 1])
        points.push(storePoint(store, store.end - 1));
    return points;
}

// The column's points in data order, each once. The loop runs for every
// column of every frame: three indexes are sorted by hand.
function pushColumn(store, column, points) {
    if (!column)
        return;
    var a = column.low, b = column.high, c = column.gap, swap;
    if (a > b) { swap = a; a = b; b = swap; }
    if (b > c) { swap = b; b = c; c = swap; }
    if (a > b) { swap = a; a = b; b = swap; }
    if (a >= 0)
        points.push(storePoint(store, a));
    if (b >= 0 && b !== a)
        points.push(storePoint(store, b));
    if (c >= 0 && c !== b)
        points.push(storePoint(store, c));
}

function storePoint(store, index) {
    return [store.xs[index] - store.shift, jsonNumber(store.ys[index])];
}

// The data of store for ECharts: cut for the view when it is reduced, every
// point otherwise.
function storeData(store, x0, x1, width) {
    if (isReduced(store))
        return cutStore(store, x0, x1, width);
    var points = new Array(store.end - store.first);
    for (var i = store.first; i < store.end; ++i)
        points[i - store.first] = storePoint(store, i);
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
    // Labels that appends left for the next frame give way to the host's.
    if (rebuilt || (option && option.xAxis))
        liveLabels = null;
    if (!option || !Array.isArray(option.series))
        return option;
    var result = Object.assign({}, option);
    result.series = option.series.map(function (item, index) {
        var points = item && isAttachment(item.data) ? takeAttachment(item.data) : null;
        if (!item || !(points || Array.isArray(item.data)))
            return item;
        var wasBare = !!barelyDrawn[index] || !!largeSeries[index];
        var count = points ? points.ys.length : item.data.length;
        var long = count > largeSeriesThreshold;
        var store = long ? storeOf(item.data, points) : null;
        largeSeries[index] = isReduced(store) ? store : null;
        barelyDrawn[index] = long;
        if (points && !largeSeries[index])
            item = Object.assign({}, item, {data: attachmentData(points)});
        // 6000 symbols took a second per call.
        if (!largeSeries[index] && long)
            return Object.assign({}, item, {showSymbol: false});
        if (!largeSeries[index])
            return wasBare ? Object.assign({}, item, {animation: true, showSymbol: true}) : item;
        return Object.assign({}, item, {
            animation: false,
            showSymbol: false,
            data: [storePoint(store, 0)].concat(cutStore(store, store.xs[0], store.xs[count - 1], 1))
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
        series: largeSeries.map(function (store) {
            return isReduced(store) ? {data: cutStore(store, view.x0, view.x1, view.width)} : {};
        })
    };
}

// Cuts the reduced series again for the x range and width in view, when
// they have changed.
function refreshLargeSeries() {
    if (!largeSeries.some(isReduced))
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

// The reduced point under the mouse, {seriesIndex, dataIndex}, or null;
// and where the mouse is over the chart, or null.
var largeSeriesHovered = null;
var largeSeriesMouse = null;

// Gives the shown point of a reduced series nearest to the mouse (within
// a symbol's reach) a symbol, which ECharts' own item tooltip and mouse
// events then treat like any drawn symbol. event null: the mouse left.
function hoverLargeSeries(event) {
    var found = null, reach = 6;
    var model = myChart.getModel();
    largeSeries.forEach(function (store, seriesIndex) {
        var seriesModel = isReduced(store) && event && model.getSeriesByIndex(seriesIndex);
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
            largeSeriesMouse = {offsetX: event.offsetX, offsetY: event.offsetY};
            if (largeSeries.some(isReduced))
                hoverLargeSeries(event);
        });
        chart.getZr().on('globalout', function () {
            largeSeriesMouse = null;
        });
    });
    window.addEventListener('resize', function () {
        // After the page's own handler has resized the chart.
        setTimeout(refreshLargeSeries, 0);
    });
}
