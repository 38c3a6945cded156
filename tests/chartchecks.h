#ifndef CHARTCHECKS_H
#define CHARTCHECKS_H

#include "chartprobe.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <functional>
#include <memory>

// Setter calls on the chart under test, for a data table.
using ChartCall = std::function<void(QWidget *)>;
Q_DECLARE_METATYPE(ChartCall)
using Ints = QList<QList<int>>;
using Reals = QList<QList<double>>;

// Base of the chart tests. Every test function and every row of its data
// table gets a fresh chart with a probe attached. Checked here for
// every chart: its signals and slots, the back button, and the page calls
// that each row of a derived class's fragments_data() table causes.
class ChartTest : public QObject
{
    Q_OBJECT

public:
    ChartTest(std::function<QWidget *()> create, const QStringList &recordedFunctions)
        : m_create(std::move(create)), m_recorded(recordedFunctions) {}

protected:
    std::unique_ptr<QWidget> m_chart;
    std::unique_ptr<ChartProbe> m_probe;

private Q_SLOTS:
    void init();
    void metaObjectOrder();
    void relaySlots();
    void backButton();
    // Columns: ChartCall call, QByteArray calls: the page calls that call
    // caused, in order, as a JSON array. A setChartOption call with one
    // argument shows as that fragment, any other as {"function": [arguments]}.
    void fragments();

private:
    std::function<QWidget *()> m_create;
    QStringList m_recorded;
};

// A ChartTest of Chart, with typed rows for its fragments() table.
template <typename Chart>
class ChartTestOf : public ChartTest
{
public:
    explicit ChartTestOf(const QStringList &recordedFunctions = {QStringLiteral("setChartOption")})
        : ChartTest([] { return new Chart; }, recordedFunctions) {}

protected:
    Chart *chart() const { return static_cast<Chart *>(m_chart.get()); }

    // Announces the warning of a refused call of setter, which must come.
    static void expectRefusal(const char *setter)
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("::%1: refused").arg(setter)));
    }
    static void addRow(const char *tag, const std::function<void(Chart *)> &call, const QByteArray &calls)
    {
        QTest::newRow(tag) << ChartCall([call](QWidget *chart) { call(static_cast<Chart *>(chart)); }) << calls;
    }
    // The columns, and the rows of the setters that every chart but the
    // monitoring chart has.
    static void addCommonRows()
    {
        QTest::addColumn<ChartCall>("call");
        QTest::addColumn<QByteArray>("calls");
        // Texts arrive as they are, whatever they hold.
        static const QString text = QStringLiteral("Output '%1' 100% \"hi\" \\n\n🚧\u2028</script>");
        addRow("title", [](Chart *c) { c->setTitle(text); },
               QJsonDocument(QJsonArray{QJsonObject{{"title", QJsonObject{{"text", text}}}}}).toJson());
        addRow("subtitle", [](Chart *c) { c->setSubTitle("吨"); }, R"([{"title": {"subtext": "吨"}}])");
        addRow("colors", [](Chart *c) { c->setColors({"#ff0000", "green"}); }, R"([{"color": ["#ff0000", "green"]}])");
    }
    static void addToolBackRows()
    {
        addRow("back shown", [](Chart *c) { c->setToolBackVisible(true); },
               R"([{"toolbox": {"feature": {"myToolBack": {"show": true}}}}])");
        addRow("back hidden", [](Chart *c) { c->setToolBackVisible(false); },
               R"([{"toolbox": {"feature": {"myToolBack": {"show": false}}}}])");
    }
};

#endif // CHARTCHECKS_H
