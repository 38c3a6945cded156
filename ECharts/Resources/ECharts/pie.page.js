var option = {
    title: {
        text: '',
        subtext: '',
        x: 'center'
    },
    tooltip: {
        trigger: 'item',
        formatter: '{a} <br/>{b} : {c} ({d}%)'
    },
    toolbox: @TOOLBOX_BACK@,
    legend: {
        type: 'scroll',
        orient: 'horizontal',
        y: 'bottom',
        data: []
    },
    series: [{
        name: '',
        type: 'pie',
        radius: '60%',
        center: ['50%', '50%'],
        data: [],
        label: { formatter: '{b} : {c}' }
    }]
};

//== page script ==

onChartCreated(function (chart) {
    chart.on('click', function (params) {
        if (params.componentType === 'series')
            reportToWidget('clickedCategory', params.name);
    });
});

function setChartOption(strJson) {
    myChart.setOption(strJson);
}
