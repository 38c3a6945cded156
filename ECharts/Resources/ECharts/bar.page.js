var option = {
    title: {
        text: '',
        x: 'center'
    },
    tooltip: {
        trigger: 'axis'
    },
    toolbox: @TOOLBOX_BACK@,
    legend: {
        data: [],
        type: 'scroll',
        orient: 'horizontal',
        y: 'bottom'
    },
    xAxis: [{
        type: 'category',
        data: [],
        axisLabel: { interval: 0 },
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

function setChartOption(strJson) {
    myChart.setOption(strJson);
}

// Removes the bars and the category labels; title, legend, colours, grid and
// the back button stay, so the widget's remembered legend names still match.
function clearChartOption() {
    var current = myChart.getOption();
    current.series = [];
    current.xAxis[0].data = [];
    myChart.setOption(current, true);
}
