var option = {
    title: {
        text: '',
        x: 'center'
    },
    tooltip: {
        trigger: 'axis',
        formatter: function (params) {
            if (toolTipFlag === 1)
                return setMonitoringDataDetail(params);
            if (toolTipFlag === 2)
                return setPointLocationCheck(params);
        }
    },
    legend: {
        data: [],
        type: 'scroll',
        orient: 'horizontal',
        y: 'bottom'
    },
    xAxis: [{
        type: 'category',
        data: [],
        boundaryGap: true,
        axisLabel: { interval: 0 },
        axisLine: { onZero: true },
        triggerEvent: true
    }],
    yAxis: [{
        type: 'value'
    }],
    series: []
};

//== page script ==

// Tooltip mode of the last option received: 1 dates and depths, 2 a depth
// profile, anything else no text.
var toolTipFlag = 0;
// {depthDate: [{pointName, dateTime: [{date, depth}]}]}, or undefined.
var depthDataArray;
// Every option is drawn on top of this, never on top of the previous one.
var oldOption = option;

function setChartOption(strJson, json2) {
    toolTipFlag = json2;
    myChart.clear();
    myChart.setOption(oldOption, false);
    myChart.setOption(reduceLargeSeries(strJson, true), false);
    refreshLargeSeries();
}

watchLargeSeries();
watchLiveData();

// The tooltip box shows HTML: every text from the host goes in escaped, so
// that names, dates and depths read as typed, markup included. The values
// are numbers and need no escaping.
var escapeHtml = echarts.format.encodeHTML;

function setMonitoringDataDetail(params) {
    var text = escapeHtml(params.seriesName) + '<br/>日期：' + escapeHtml(params.name) + '<br/>值：' + params.data[1];
    if (depthDataArray === undefined || depthDataArray === null)
        return text;
    depthDataArray.depthDate.forEach(function (record) {
        if (record.pointName !== params.seriesName)
            return;
        record.dateTime.forEach(function (entry) {
            if (entry.date !== params.name)
                return;
            // Depths are measured downwards: the tooltip shows them below zero.
            var depth = entry.depth;
            if (Number(depth) > 0)
                depth = 0 - depth;
            text += '<br/>测量深度：' + escapeHtml(depth);
        });
    });
    return text;
}

function setPointLocationCheck(params) {
    return escapeHtml(params.seriesName) + '<br/>深度：' + params.data[1] + '<br/>值：' + params.data[0];
}

function setDepthDate(strJson) {
    depthDataArray = strJson;
}

// Selects exactly the named entries; the rebuild raises no
// legendselectchanged, so the widget hears nothing of it.
function setLegendClicked(strJson) {
    var wanted = strJson.legend[0].data;
    var current = myChart.getOption();
    var selected = {};
    current.legend[0].data.forEach(function (entry) {
        var name = typeof entry === 'object' ? entry.name : entry;
        selected[name] = wanted.indexOf(name) !== -1;
    });
    current.legend[0].selected = selected;
    myChart.setOption(current, true);
}

// The pixel column of an x value. Nothing goes back to the widget.
function getPixelByLogic(strJson) {
    return myChart.convertToPixel({xAxisIndex: 0}, strJson.data[0].data);
}

onChartCreated(function (chart) {
    chart.on('legendselectchanged', function (params) {
        reportToWidget('clickedLegend', params.name, params.selected[params.name] == true);
    });
});

// The first segment, in series order, that a double-click hits, or null.
// tolerance is in y units; the click's x is interpolated between the pixel
// columns of the segment's ends, so that it is in the units of the keys
// (category indexes or x values) without being rounded to a label.
function findSegment(current, offsetX, logicY, tolerance) {
    for (var s = 0; s < current.series.length; ++s) {
        var data = current.series[s].data || [];
        for (var n = 0; n + 1 < data.length; ++n) {
            var beforeKey = data[n][0], beforeValue = data[n][1];
            var afterKey = data[n + 1][0], afterValue = data[n + 1][1];
            if (logicY < Math.min(beforeValue, afterValue) - tolerance
                    || logicY > Math.max(beforeValue, afterValue) + tolerance)
                continue;
            var beforePixelX = myChart.convertToPixel({seriesIndex: 0}, [beforeKey, logicY])[0];
            var afterPixelX = myChart.convertToPixel({seriesIndex: 0}, [afterKey, logicY])[0];
            var logicX = afterPixelX === beforePixelX ? beforeKey
                    : beforeKey + (offsetX - beforePixelX) / (afterPixelX - beforePixelX) * (afterKey - beforeKey);
            if (logicX < beforeKey - tolerance || logicX > afterKey + tolerance)
                continue;
            if (offsetX < beforePixelX || offsetX > afterPixelX)
                continue;
            var a = afterValue - beforeValue;
            var b = beforeKey - afterKey;
            var c = -a * beforeKey + beforeValue * (afterKey - beforeKey);
            if (Math.abs(a * logicX + b * logicY + c) / Math.sqrt(a * a + b * b) > tolerance)
                continue;
            return {name: current.series[s].name, start: beforeKey, end: afterKey};
        }
    }
    return null;
}

// Every double-click on the surface is examined, not only those that land
// on a drawn line.
onChartCreated(function (chart) {
    chart.getZr().on('dblclick', function (event) {
        var current = myChart.getOption();
        // The tolerance comes from the y zoom bar; without it there is nothing
        // to measure against.
        if (!current.dataZoom || current.dataZoom.length < 2 || !current.series || current.series.length === 0)
            return;
        var logicY = myChart.convertFromPixel({seriesIndex: 0}, [event.offsetX, event.offsetY])[1];
        var tolerance = (current.dataZoom[1].endValue - current.dataZoom[1].startValue) / 10 * 0.05;
        var hit = findSegment(current, event.offsetX, logicY, tolerance);
        if (hit)
            reportToWidget('dbClickedLine', hit.name, hit.start, hit.end);
    });
});
