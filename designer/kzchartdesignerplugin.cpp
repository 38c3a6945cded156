#include "kzchartdesignerplugin.h"

#include <kzchartbar.h>
#include <kzchartdonut.h>
#include <kzchartline.h>
#include <kzchartlinezoom.h>
#include <kzchartpie.h>
#include <kzchartstack.h>

#include <QIcon>

namespace {

template <typename Chart>
QWidget *createChart(QWidget *parent)
{
    return new Chart(parent);
}

} // namespace

KzChartDesignerEntry::KzChartDesignerEntry(const QString &className, const QString &toolTip,
                                           Factory factory, QObject *parent)
    : QObject(parent), m_className(className), m_toolTip(toolTip), m_factory(factory)
{
}

QString KzChartDesignerEntry::name() const
{
    return m_className;
}

QString KzChartDesignerEntry::group() const
{
    return QStringLiteral("KzChartWidget");
}

QString KzChartDesignerEntry::toolTip() const
{
    return m_toolTip;
}

QString KzChartDesignerEntry::whatsThis() const
{
    return m_toolTip;
}

// The headers are installed flat into the package's include folder, which
// the package puts on the include path, as the library's own code does.
QString KzChartDesignerEntry::includeFile() const
{
    return m_className.toLower() + QStringLiteral(".h");
}

// PNG rather than SVG: Designer may run without Qt's SVG icon engine.
QIcon KzChartDesignerEntry::icon() const
{
    return QIcon(QStringLiteral(":/KzChartDesigner/icons/%1.png").arg(m_className.toLower()));
}

bool KzChartDesignerEntry::isContainer() const
{
    return false;
}

// Designer shows the real chart: its page loads while the chart is built.
QWidget *KzChartDesignerEntry::createWidget(QWidget *parent)
{
    return m_factory(parent);
}

bool KzChartDesignerEntry::isInitialized() const
{
    return m_initialized;
}

void KzChartDesignerEntry::initialize(QDesignerFormEditorInterface *)
{
    m_initialized = true;
}

// A new chart is 400 x 300 and named after its class: kzChartBar, ...
QString KzChartDesignerEntry::domXml() const
{
    QString objectName = m_className;
    objectName[0] = objectName.at(0).toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>400</width><height>300</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
            .arg(m_className, objectName);
}

KzChartDesignerPlugin::KzChartDesignerPlugin(QObject *parent)
    : QObject(parent)
{
    const struct {
        const char *className;
        const char *toolTip;
        KzChartDesignerEntry::Factory factory;
    } charts[] = {
        {"KzChartBar", "Grouped bar chart", createChart<KzChartBar>},
        {"KzChartStack", "Stacked bar chart", createChart<KzChartStack>},
        {"KzChartPie", "Pie chart", createChart<KzChartPie>},
        {"KzChartDonut", "Ring chart with a centre label", createChart<KzChartDonut>},
        {"KzChartLine", "Line chart", createChart<KzChartLine>},
        {"KzChartLineZoom", "Monitoring line chart with zoom bars and alarm lines",
         createChart<KzChartLineZoom>},
    };
    for (const auto &chart : charts) {
        m_entries.append(new KzChartDesignerEntry(QLatin1String(chart.className),
                                                  QLatin1String(chart.toolTip), chart.factory, this));
    }
}

QList<QDesignerCustomWidgetInterface *> KzChartDesignerPlugin::customWidgets() const
{
    return m_entries;
}
