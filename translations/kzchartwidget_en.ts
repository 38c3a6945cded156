<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>KzChart</name>
    <message>
        <location filename="../host/kzchartsummary.cpp" line="+25"/>
        <source>柱状图</source>
        <translation>Bar chart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>堆叠柱状图</source>
        <translation>Stacked bar chart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>饼图</source>
        <translation>Pie chart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>环形图</source>
        <translation>Donut chart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>折线图</source>
        <translation>Line chart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>监测曲线图</source>
        <translation>Monitoring line chart</translation>
    </message>
    <message numerus="yes">
        <location line="+22"/>
        <source>另有 %n 项</source>
        <translation>
            <numerusform>%n more</numerusform>
            <numerusform>%n more</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>未命名</source>
        <translation>unnamed</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1（%n 个数据点，最新值 %2）</source>
        <translation>
            <numerusform>%1 (%n point, last value %2)</numerusform>
            <numerusform>%1 (%n points, last value %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%1（%n 个数据点）</source>
        <translation>
            <numerusform>%1 (%n point)</numerusform>
            <numerusform>%1 (%n points)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%1，%n 个扇区：%2</source>
        <translation>
            <numerusform>%1, %n slice: %2</numerusform>
            <numerusform>%1, %n slices: %2</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1，暂无数据</source>
        <translation>%1, no data</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1，%n 个系列：%2</source>
        <translation>
            <numerusform>%1, %n series: %2</numerusform>
            <numerusform>%1, %n series: %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>KzChartBar</name>
    <message>
        <location filename="../charts/kzchartbar.cpp" line="+170"/>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
</context>
<context>
    <name>KzChartLineZoom</name>
    <message>
        <location filename="../charts/kzchartlinezoom.cpp" line="+39"/>
        <source>报警值: %1</source>
        <translation>Alarm: %1</translation>
    </message>
</context>
<context>
    <name>KzChartStack</name>
    <message>
        <location filename="../charts/kzchartstack.cpp" line="+64"/>
        <source>总量</source>
        <translation>Total</translation>
    </message>
</context>
</TS>
