#include "chartchecks.h"

#include <kzchartpie.h>


// Drives KzChartPie through its real page: the calls the page received.
class tst_KzChartPie : public ChartTestOf<KzChartPie>
{
    Q_OBJECT

private Q_SLOTS:
    void fragments_data()
    {
        addCommonRows();
        addToolBackRows();
        addRow("legends", [](KzChartPie *c) { c->setLegends({"X"}); }, R"([{"legend": {"data": ["X"]}}])");
        // A selection mode only to switch selection off; values are refused
        // unless there are as many as legends.
        addRow("values per legend", [](KzChartPie *c) {
            c->setLegends({"A", "B", "C"}, true, false);
            expectRefusal("setDatas");
            c->setDatas({3, 5});
            c->setDatas({3, 0, -5});
        }, R"([{"legend": [{"data": ["A", "B", "C"], "show": true, "selectedMode": false}]},
               {"series": [{"data": [{"name": "A", "value": 3}, {"name": "B", "value": 0}, {"name": "C", "value": -5}]}]}])");
        addRow("name", [](KzChartPie *c) { c->setDatasName("能耗"); }, R"([{"series": [{"name": "能耗"}]}])");
        // A plain object, merged into the one series.
        addRow("silent", [](KzChartPie *c) { c->setSilent(true); c->setSilent(false); },
               R"([{"series": {"silent": true}}, {"series": {"silent": false}}])");
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartPie)
#include "tst_kzchartpie.moc"
