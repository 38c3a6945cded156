#include "chartprobe.h"
#include "ui_chartform.h"

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <memory>

// The Designer plugin as Designer loads it, and a form that uic compiled.
class tst_Designer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The six charts have their entries in the group, each with an icon that
    // draws, its header, a form snippet of its class and a factory that
    // builds that class.
    void entries()
    {
        QPluginLoader loader(QStringLiteral(KZCHART_DESIGNER_PLUGIN_FILE));
        auto *plugin = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
        QVERIFY2(plugin, qPrintable(loader.errorString()));
        QStringList names;
        for (QDesignerCustomWidgetInterface *entry : plugin->customWidgets()) {
            const QString name = entry->name();
            names.append(name);
            QCOMPARE(entry->group(), QStringLiteral("KzChartWidget"));
            QCOMPARE(entry->includeFile(), name.toLower() + QStringLiteral(".h"));
            QVERIFY(!entry->icon().pixmap(22, 22).isNull());
            QVERIFY(entry->domXml().contains(QStringLiteral("<widget class=\"%1\"").arg(name)));
            const std::unique_ptr<QWidget> chart(entry->createWidget(nullptr));
            QCOMPARE(QString::fromLatin1(chart->metaObject()->className()), name);
        }
        QCOMPARE(names, QStringList({"KzChartBar", "KzChartStack", "KzChartPie", "KzChartDonut", "KzChartLine",
                                     "KzChartLineZoom"}));
        // A form holding the six, compiled by uic with the headers the plugin
        // names, shows working charts, with the properties the form sets.
        QWidget form;
        Ui::ChartForm ui;
        ui.setupUi(&form);
        form.show();
        QVERIFY(ChartProbe(ui.kzChartLineZoom).attach());
        ChartProbe bar(ui.kzChartBar);
        QVERIFY(bar.attach());
        QCOMPARE(bar.evalJson("[myChart.getOption().title[0].text, myChart.getOption().color[0]]"),
                 QJsonValue(QJsonArray{"Output <b>by month</b>", "#123456"}));
    }
};

KZ_CHART_TEST_MAIN(tst_Designer)
#include "tst_designer.moc"
