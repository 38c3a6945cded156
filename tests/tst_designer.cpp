#include "chartprobe.h"
#include "ui_chartform.h"

#include <QApplication>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <algorithm>
#include <memory>

// The Designer plugin as Designer loads it, and a form holding the six charts
// compiled by uic.
class tst_Designer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entries_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("includeFile");
        for (const char *name : {"KzChartBar", "KzChartStack", "KzChartPie", "KzChartDonut", "KzChartLine",
                                 "KzChartLineZoom"}) {
            const QString className = QLatin1String(name);
            QTest::newRow(name) << className << className.toLower() + QStringLiteral(".h");
        }
    }

    // Each chart has its entry in the group, with an icon that draws, a
    // form snippet of its class and a factory that builds that class.
    void entries()
    {
        QFETCH(QString, className);
        QFETCH(QString, includeFile);
        QPluginLoader loader(QStringLiteral(KZCHART_DESIGNER_PLUGIN_FILE));
        auto *plugin = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
        QVERIFY2(plugin, qPrintable(loader.errorString()));
        const auto entries = plugin->customWidgets();
        QCOMPARE(entries.size(), 6);
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](QDesignerCustomWidgetInterface *entry) { return entry->name() == className; });
        QVERIFY(it != entries.end());
        QDesignerCustomWidgetInterface *entry = *it;
        QCOMPARE(entry->group(), QStringLiteral("KzChartWidget"));
        QCOMPARE(entry->includeFile(), includeFile);
        QVERIFY(!entry->icon().pixmap(22, 22).isNull());
        QVERIFY(entry->domXml().contains(QStringLiteral("<widget class=\"%1\"").arg(className)));
        const std::unique_ptr<QWidget> chart(entry->createWidget(nullptr));
        QCOMPARE(QString::fromLatin1(chart->metaObject()->className()), className);
    }

    void formFromUic()
    {
        QWidget form;
        Ui::ChartForm ui;
        ui.setupUi(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The last chart built has a working page, and all six fill the form.
        QVERIFY(ChartProbe(ui.kzChartLineZoom).attach());
        for (QWidget *chart : form.findChildren<QWidget *>(QRegularExpression(QStringLiteral("^kzChart"))))
            QVERIFY(chart->isVisible() && chart->width() > 100);
    }
};

KZ_CHART_TEST_MAIN(tst_Designer)
#include "tst_designer.moc"
