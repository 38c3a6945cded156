#include "chartchecks.h"

#include <QHash>
#include <QJsonDocument>
#include <QMetaMethod>
#include <QWebEngineView>

#include <memory>

namespace {

// The signals and then the public slots of every chart class, in the order
// of their meta-objects: the page's channel and hosts that connect by
// signature depend on names, arguments and order alike.
const QHash<QByteArray, QList<QByteArray>> methodTable = {
    {"KzChartBar", {"categoryClicked(QString)", "toolBackClicked()", "clickedCategory(QString)", "clickedToolBack()"}},
    {"KzChartStack", {"categoryClicked(QString)", "toolBackClicked()", "clickedCategory(QString)", "clickedToolBack()"}},
    {"KzChartPie", {"categoryClicked(QString)", "toolBackClicked()", "clickedCategory(QString)", "clickedToolBack()"}},
    {"KzChartDonut", {"categoryClicked(QString)", "toolBackClicked()", "clickedCategory(QString)", "clickedToolBack()"}},
    {"KzChartLine", {"categoryClicked(QString)", "seriesClicked(QString)", "clickedCategory(QString)",
                     "clickedSeries(QString)"}},
    {"KzChartLineZoom", {"seriesClicked(QString)", "legendClicked(QStringList,bool)", "lineDBClicked(QString,int,int)",
                         "clickedSeries(QString)", "clickedLegend(QString,bool)", "dbClickedLine(QString,int,int)"}},
};

QList<QMetaMethod> ownMethods(const QMetaObject *meta, QMetaMethod::MethodType type)
{
    QList<QMetaMethod> methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        if (meta->method(i).methodType() == type)
            methods.append(meta->method(i));
    }
    return methods;
}

} // namespace

ChartTest::ChartTest(std::function<QWidget *()> create, const QStringList &recordedFunctions)
    : m_create(std::move(create)), m_recorded(recordedFunctions)
{
}

ChartTest::~ChartTest()
{
    cleanupTestCase();
}

void ChartTest::init()
{
    // The rows of one data table share a chart, so that a row can build on
    // the state that the rows before it left.
    if (m_chart && m_function == QTest::currentTestFunction())
        return;
    cleanupTestCase();
    m_function = QTest::currentTestFunction();
    m_chart = m_create();
    m_probe = new ChartProbe(m_chart);
    m_chart->resize(900, 600);
    m_chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chart));
    QVERIFY(m_probe->attach(m_recorded));
}

void ChartTest::cleanupTestCase()
{
    delete m_probe;
    delete m_chart;
    m_probe = nullptr;
    m_chart = nullptr;
}

void ChartTest::metaObjectOrder()
{
    const QMetaObject *meta = m_chart->metaObject();
    QList<QByteArray> methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal
                || (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Public))
            methods.append(method.methodSignature());
    }
    QVERIFY(methodTable.contains(meta->className()));
    QCOMPARE(methods, methodTable.value(meta->className()));
}

void ChartTest::relaySlots()
{
    // Slot k emits signal k with the same arguments; a single name becomes
    // a list where the signal carries one. No other signal is emitted.
    const QList<QMetaMethod> signalList = ownMethods(m_chart->metaObject(), QMetaMethod::Signal);
    const QList<QMetaMethod> slotList = ownMethods(m_chart->metaObject(), QMetaMethod::Slot);
    QCOMPARE(slotList.size(), signalList.size());
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QMetaMethod &signal : signalList)
        spies.emplace_back(new QSignalSpy(m_chart, QByteArray("2" + signal.methodSignature()).constData()));
    for (int k = 0; k < slotList.size(); ++k) {
        QVariantList arguments;
        QGenericArgument generic[3];
        for (int i = 0; i < slotList.at(k).parameterCount(); ++i) {
            const int type = slotList.at(k).parameterType(i);
            arguments.append(type == QMetaType::QString ? QVariant(QStringLiteral("any % text 点"))
                             : type == QMetaType::Bool  ? QVariant(false) : QVariant(i * 11 + 3));
        }
        for (int i = 0; i < arguments.size(); ++i)
            generic[i] = QGenericArgument(arguments.at(i).typeName(), arguments.at(i).constData());
        QVERIFY(slotList.at(k).invoke(m_chart, Qt::DirectConnection, generic[0], generic[1], generic[2]));
        for (int i = 0; i < arguments.size(); ++i) {
            if (signalList.at(k).parameterType(i) == QMetaType::QStringList)
                arguments[i] = QStringList{arguments.at(i).toString()};
        }
        for (int s = 0; s < int(spies.size()); ++s)
            QCOMPARE(spies[s]->size(), s == k ? 1 : 0);
        QCOMPARE(spies[k]->takeFirst(), arguments);
    }
}

void ChartTest::fragments()
{
    QFETCH(ChartCall, call);
    QFETCH(QByteArray, calls);
    QJsonParseError error;
    const QJsonArray expected = QJsonDocument::fromJson(calls, &error).array();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));

    const int before = m_probe->callOrder().size();
    call(m_chart);
    // Scripts run in order: once this has run, so has every setter's call.
    QJsonArray received;
    for (const QJsonValue &logged : m_probe->evalJson(QStringLiteral("kzProbeLog.slice(%1)").arg(before)).toArray()) {
        const QString name = logged[0].toString();
        const QJsonArray arguments = QJsonDocument::fromJson(logged[1].toString().toUtf8()).array();
        if (name == QLatin1String("setChartOption") && arguments.size() == 1)
            received.append(arguments.at(0));
        else
            received.append(QJsonObject{{name, arguments}});
    }
    QVERIFY2(received == expected, QJsonDocument(received).toJson(QJsonDocument::Compact).constData());
}

void ChartTest::checkBackButton(const std::function<void(bool)> &setVisible)
{
    QSignalSpy backs(m_chart, SIGNAL(toolBackClicked()));
    QVERIFY(m_probe->textPoint(QStringLiteral("返回")).isNull());
    setVisible(true);
    QPoint button;
    QTRY_VERIFY(!(button = m_probe->textPoint(QStringLiteral("返回"))).isNull());
    m_probe->click(button);
    QVERIFY(backs.wait());
    QTest::qWait(300);
    QCOMPARE(backs.size(), 1);

    setVisible(false);
    QTRY_VERIFY(m_probe->textPoint(QStringLiteral("返回")).isNull());
    m_probe->click(button);
    QTest::qWait(300);
    QCOMPARE(backs.size(), 1);
}
