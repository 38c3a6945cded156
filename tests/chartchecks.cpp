#include "chartchecks.h"

#include <QMetaMethod>


namespace {

// The signals and then the public slots of every chart class in meta-object order:
// the page's channel and hosts that connect by signature depend on all of it.
const QByteArrayList clickAndBack = {"categoryClicked(QString)", "toolBackClicked()", "clickedCategory(QString)",
                                     "clickedToolBack()"};
const QHash<QByteArray, QByteArrayList> methodTable = {
    {"KzChartBar", clickAndBack}, {"KzChartStack", clickAndBack}, {"KzChartPie", clickAndBack},
    {"KzChartDonut", clickAndBack},
    {"KzChartLine", {"categoryClicked(QString)", "seriesClicked(QString)", "followingChanged(bool)",
                     "clickedCategory(QString)", "clickedSeries(QString)", "changedFollowing(bool)"}},
    {"KzChartLineZoom", {"seriesClicked(QString)", "legendClicked(QStringList,bool)", "lineDBClicked(QString,int,int)",
                         "followingChanged(bool)", "clickedSeries(QString)", "clickedLegend(QString,bool)",
                         "dbClickedLine(QString,int,int)", "changedFollowing(bool)"}},
};

QList<QMetaMethod> ownMethods(const QMetaObject *meta, QMetaMethod::MethodType type)
{
    QList<QMetaMethod> methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        if (meta->method(i).methodType() == type && meta->method(i).access() == QMetaMethod::Public)
            methods.append(meta->method(i));
    }
    return methods;
}

} // namespace

void ChartTest::init()
{
    // Every row gets a chart of its own.
    m_probe.reset();
    m_chart.reset(m_create());
    m_probe.reset(new ChartProbe(m_chart.get()));
    m_chart->resize(900, 600);
    m_chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chart.get()));
    QVERIFY(m_probe->attach(m_recorded));
}

void ChartTest::metaObjectOrder()
{
    QByteArrayList methods;
    for (QMetaMethod::MethodType type : {QMetaMethod::Signal, QMetaMethod::Slot}) {
        for (const QMetaMethod &method : ownMethods(m_chart->metaObject(), type))
            methods.append(method.methodSignature());
    }
    QCOMPARE(methods, methodTable.value(m_chart->metaObject()->className()));
}

void ChartTest::relaySlots()
{
    // Slot k emits signal k, once, with the same arguments; a name becomes a
    // list where the signal carries one.
    const QList<QMetaMethod> signalList = ownMethods(m_chart->metaObject(), QMetaMethod::Signal);
    const QList<QMetaMethod> slotList = ownMethods(m_chart->metaObject(), QMetaMethod::Slot);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QMetaMethod &signal : signalList)
        spies.emplace_back(new QSignalSpy(m_chart.get(), QByteArray("2" + signal.methodSignature()).constData()));
    for (int k = 0; k < slotList.size(); ++k) {
        QVariantList arguments;
        QGenericArgument generic[3];
        for (int i = 0; i < slotList.at(k).parameterCount(); ++i) {
            const int type = slotList.at(k).parameterType(i);
            arguments.append(type == QMetaType::QString ? QVariant("any % text 点")
                             : type == QMetaType::Bool  ? QVariant(false) : QVariant(i * 11 + 3));
        }
        // Only once the list is complete: appending may move its elements.
        for (int i = 0; i < arguments.size(); ++i)
            generic[i] = QGenericArgument(arguments.at(i).typeName(), arguments.at(i).constData());
        QVERIFY(slotList.at(k).invoke(m_chart.get(), Qt::DirectConnection, generic[0], generic[1], generic[2]));
        for (int i = 0; i < arguments.size(); ++i) {
            if (signalList.at(k).parameterType(i) == QMetaType::QStringList)
                arguments[i] = QStringList{arguments.at(i).toString()};
        }
        for (int s = 0; s < int(spies.size()); ++s)
            QCOMPARE(spies[s]->size(), s == k ? 1 : 0);
        QCOMPARE(spies[k]->takeFirst(), arguments);
    }
}

void ChartTest::backButton()
{
    // Hidden at first; shown, a real click on it emits toolBackClicked()
    // once; hidden again it takes no clicks.
    if (!methodTable.value(m_chart->metaObject()->className()).contains("toolBackClicked()"))
        QSKIP("No back button");
    QSignalSpy backs(m_chart.get(), SIGNAL(toolBackClicked()));
    const QString show = QStringLiteral("setChartOption({toolbox: {feature: {myToolBack: {show: %1}}}})");
    QVERIFY(m_probe->textPoint("返回").isNull());
    m_probe->eval(show.arg("true"));
    QPoint button;
    QTRY_VERIFY(!(button = m_probe->textPoint("返回")).isNull());
    m_probe->click(button);
    QVERIFY(backs.wait());
    m_probe->eval(show.arg("false"));
    QTRY_VERIFY(m_probe->textPoint("返回").isNull());
    m_probe->click(button);
    QVERIFY(m_probe->inputSettled("clickedCategory", SIGNAL(categoryClicked(QString))));
    QCOMPARE(backs.size(), 1);
}

void ChartTest::fragments()
{
    QFETCH(ChartCall, call);
    QFETCH(QByteArray, calls);
    QJsonParseError error;
    const QJsonArray expected = QJsonDocument::fromJson(calls, &error).array();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const int before = m_probe->eval(QStringLiteral("kzProbeLog.length")).toInt();
    call(m_chart.get());
    QJsonArray received;
    for (const QJsonValue &logged : m_probe->evalJson(QStringLiteral("kzProbeLog.slice(%1)").arg(before)).toArray()) {
        const QJsonArray arguments = QJsonDocument::fromJson(logged[1].toString().toUtf8()).array();
        if (logged[0] == QLatin1String("setChartOption") && arguments.size() == 1)
            received.append(arguments.at(0));
        else
            received.append(QJsonObject{{logged[0].toString(), arguments}});
    }
    QVERIFY2(received == expected, QJsonDocument(received).toJson(QJsonDocument::Compact).constData());
}
