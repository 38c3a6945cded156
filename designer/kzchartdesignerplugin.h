#ifndef KZCHARTDESIGNERPLUGIN_H
#define KZCHARTDESIGNERPLUGIN_H

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// One entry of Designer's widget box. All charts are described alike: the
// class name gives the header, the icon and the object name of a new chart.
class KzChartDesignerEntry : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using Factory = QWidget *(*)(QWidget *parent);

    KzChartDesignerEntry(const QString &className, const QString &toolTip, Factory factory,
                         QObject *parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    QString m_className;
    QString m_toolTip;
    Factory m_factory;
    bool m_initialized = false;
};

// The plugin Designer loads: the six charts in the group "KzChartWidget".
class KzChartDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetCollectionInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit KzChartDesignerPlugin(QObject *parent = nullptr);

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    QList<QDesignerCustomWidgetInterface *> m_entries;
};

#endif // KZCHARTDESIGNERPLUGIN_H
