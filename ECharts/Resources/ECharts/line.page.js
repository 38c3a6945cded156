var option = {
    title: {
        text: '',
        x: 'center'
    },
    tooltip: {
        trigger: 'axis'
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

onChartCreated(function (chart) {
    chart.on('click', function (params) {
        if (params.componentType === 'xAxis')
            reportToWidget('clickedCategory', params.value);
    });
});

// The data item's name: on a category axis, the point's category label.
onChartCreated(function (chart) {
    chart.on('dblclick', function (params) {
        if (params.componentType === 'series')
            reportToWidget('clickedSeries', params.name);
    });
});

watchLargeSeries();
watchLiveData();

function setChartOption(strJson) {
    myChart.setOption(reduceLargeSeries(strJson, false));
    refreshLargeSeries();
    // Changing the x axis' type makes ECharts build that axis afresh from its
    // defaults; label clicks must survive a switch back to labels.
    var axis = strJson.xAxis && myChart.getOption().xAxis[0];
    if (axis && axis.type === 'category' && !axis.triggerEvent)
        myChart.setOption({ xAxis: [{ triggerEvent: true }] });
}

// The widget's setToolTip() hands its mode here before it switches the
// tooltip to item mode. Every mode shows the same item tooltip on this page,
// so the call is only answered.
function setToolTipFlag() {
}
