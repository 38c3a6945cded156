<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>KzChartBar</name>
    <message>
        <location filename="../charts/kzchartbar.cpp" line="+85"/>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
</context>
<context>
    <name>KzChartLineZoom</name>
    <message>
        <location filename="../charts/kzchartlinezoom.cpp" line="+192"/>
        <source>报警值: %1</source>
        <translation>Alarm: %1</translation>
    </message>
</context>
<context>
    <name>KzChartStack</name>
    <message>
        <location filename="../charts/kzchartstack.cpp" line="+79"/>
        <source>总量</source>
        <translation>Total</translation>
    </message>
</context>
</TS>
