var option = {
    title: {
        text: '',
        x: 'center'
    },
    tooltip: {
        show: true,
        trigger: 'item',
        formatter: '{b} ({d}%)'
    },
    toolbox: @TOOLBOX_BACK@,
    legend: {
        show: true,
        selectedMode: true,
        orient: 'horizontal',
        x: 'center',
        y: 'bottom',
        data: []
    },
    series: [{
        name: '',
        type: 'pie',
        radius: ['50%', '70%'],
        avoidLabelOverlap: false,
        hoverAnimation: false,
        silent: false,
        // The centre label, a two-line rich text (see centreLabel()).
        label: {
            normal: {
                show: true,
                position: 'center',
                formatter: centreLabel('{sytleTop|0}\n{styleBottom|0}'),
                textStyle: {
                    fontSize: 45,
                    color: 'blue'
                },
                rich: {
                    sytleTop: {
                        fontSize: 20,
                        color: '#86888B'
                    },
                    styleBottom: {
                        fontSize: 30,
                        color: '#242526'
                    }
                }
            },
            emphasis: {
                show: true,
                textStyle: {
                    fontSize: '30'
                }
            }
        },
        labelLine: {
            normal: {
                show: false
            }
        },
        data: []
    }]
};

//== page script ==

// A segment reports its name, as a slice does on the pie page. The centre
// label is drawn as part of every segment but belongs to none of them, so a
// click on its text reports nothing.
onChartCreated(function (chart) {
    chart.on('click', function (params) {
        if (params.componentType === 'series' && !(params.event.target instanceof echarts.graphic.Text))
            reportToWidget('clickedCategory', params.name);
    });
});

// The centre label's colours in the base option suit a light background; a
// theme with a text colour of its own (dark, palette) colours it instead.
onThemeChanged(function () {
    var theme = myChart.getModel().getTheme();
    var text = theme.get('textStyle.color');
    var rich = option.series[0].label.normal.rich;
    myChart.setOption({series: [{label: {normal: {rich: {
        sytleTop: {color: theme.get('title.subtextStyle.color') || text || rich.sytleTop.color},
        styleBottom: {color: text || rich.styleBottom.color}
    }}}}]});
});

// Every segment draws its label at the centre, all at the same place, and
// each copy costs as much to draw as the first (a long label on 500 segments
// held the page for seconds on every call): the first segment shown draws it
// for all. The others have no text, also when hovered, while the first one's
// stays in place.
function centreLabel(template) {
    template = limitTexts(template);
    return function (params) {
        var data = myChart.getModel().getSeriesByIndex(0).getData();
        return data.getRawIndex(0) === params.dataIndex ? echarts.format.formatTpl(template, params) : '';
    };
}

function setChartOption(strJson) {
    components(strJson, 'series').forEach(function (series) {
        var normal = series.label && series.label.normal;
        if (normal && typeof normal.formatter === 'string')
            normal.formatter = centreLabel(normal.formatter);
    });
    myChart.setOption(strJson);
}
