var option = {
    title: {
        text: '',
        x: 'center'
    },
    tooltip: {
        trigger: 'axis',
        axisPointer: { type: 'shadow' }
    },
    toolbox: @TOOLBOX_BACK@,
    legend: {
        type: 'scroll',
        y: 'bottom',
        data: []
    },
    xAxis: {
        type: 'value'
    },
    yAxis: {
        type: 'category',
        triggerEvent: true
    },
    series: []
};

//== page script ==

// Only the category axis raises label clicks (see setChartOption), so a click
// on either axis is a click on a category label.
onChartCreated(function (chart) {
    chart.on('click', function (params) {
        if (params.componentType === 'xAxis' || params.componentType === 'yAxis')
            reportToWidget('clickedCategory', params.value);
    });
});

function isCategoryAxis(key) {
    return myChart.getModel().getComponent(key).get('type') === 'category';
}

function setChartOption(strJson) {
    myChart.setOption(strJson);
    // An axis whose type changes is rebuilt from the fragment alone, losing
    // triggerEvent; so after any axis fragment make the labels of the category
    // axis, wherever it now is, clickable again and those of the value axis not.
    if (strJson.xAxis || strJson.yAxis) {
        myChart.setOption({
            xAxis: { triggerEvent: isCategoryAxis('xAxis') },
            yAxis: { triggerEvent: isCategoryAxis('yAxis') }
        });
    }
}
