#include "chartchecks.h"
#include "chartprobe.h"

#include <kzchartstack.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

namespace {

// Translates the stack name of KzChartStack and nothing else.
class StackNameTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(context, "KzChartStack") == 0 && QString::fromUtf8(sourceText) == QStringLiteral("总量"))
            return QStringLiteral("Total");
        return QString();
    }

    bool isEmpty() const override { return false; }
};

QJsonObject axisTypes(const QString &x, const QString &y)
{
    return QJsonObject({{"xAxis", QJsonObject{{"type", x}}}, {"yAxis", QJsonObject{{"type", y}}}});
}

QJsonObject categoryFragment(const QString &axis, const QJsonArray &labels)
{
    return QJsonObject({{axis, QJsonArray{QJsonObject{{"type", "category"}, {"data", labels}}}}});
}

} // namespace

// Drives KzChartStack through its real page: fragments as the page received
// them, the merged chart option, and real clicks on category labels in both
// orientations.
class tst_KzChartStack : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void commonSettersAndRelays();
    void categoriesFollowOrientation();
    void legends();
    void datas();
    void translatedStackName();
    void categoryClickInBothOrientations();
    void backButton();

private:
    QJsonObject axis(const QString &key);
    void showBars();

    KzChartStack *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
};

void tst_KzChartStack::init()
{
    openChart(m_chart, m_probe);
}

void tst_KzChartStack::cleanup()
{
    delete m_probe;
    delete m_chart;
}

QJsonObject tst_KzChartStack::axis(const QString &key)
{
    return m_probe->option().value(key).toArray().at(0).toObject();
}

void tst_KzChartStack::commonSettersAndRelays()
{
    checkCommonSetters(m_chart, m_probe);
    checkRelays(m_chart);
}

void tst_KzChartStack::categoriesFollowOrientation()
{
    m_chart->setCategories({QStringLiteral("Q1"), QStringLiteral("Q2")});
    QCOMPARE(m_probe->nextFragment(), categoryFragment("yAxis", {"Q1", "Q2"}));

    m_chart->setHorizontal(false);
    QCOMPARE(m_probe->nextFragment(), axisTypes("category", "value"));
    m_chart->setCategories({QStringLiteral("Q3")});
    QCOMPARE(m_probe->nextFragment(), categoryFragment("xAxis", {"Q3"}));
    QCOMPARE(axis("xAxis").value("data").toArray(), QJsonArray{"Q3"});
    QCOMPARE(axis("yAxis").value("type").toString(), QStringLiteral("value"));

    m_chart->setHorizontal(true);
    QCOMPARE(m_probe->nextFragment(), axisTypes("value", "category"));
    m_chart->setCategories({});
    QCOMPARE(m_probe->nextFragment(), categoryFragment("yAxis", {}));

    // Only the axis holding the categories raises label clicks, whatever
    // the flips before.
    QCOMPARE(axis("yAxis").value("triggerEvent").toBool(), true);
    QCOMPARE(axis("xAxis").value("triggerEvent").toBool(true), false);
}

void tst_KzChartStack::legends()
{
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, true);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"legend", QJsonArray{QJsonObject{{"data", QJsonArray{"A", "B"}}}}}}));
    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, false);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"legend", QJsonArray{QJsonObject{
            {"data", QJsonArray{"A", "B"}}, {"selectedMode", false}}}}}));
    const QJsonObject legend = m_probe->option().value("legend").toArray().at(0).toObject();
    QCOMPARE(legend.value("selectedMode").toBool(true), false);
}

void tst_KzChartStack::datas()
{
    m_chart->setDatas(QList<QList<int>>{{1}});
    m_chart->setDatas(QList<QList<int>>{});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray()}}));

    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")}, true);
    m_probe->nextFragment();
    m_chart->setDatas(QList<QList<int>>{{1}, {2}, {3}});
    m_chart->setDatas(QList<QList<int>>{{1, 2}, {-3}});
    auto series = [](const QString &name, const QJsonArray &data) {
        return QJsonObject{{"name", name}, {"type", "bar"}, {"stack", "总量"}, {"data", data}};
    };
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"series", QJsonArray{series("A", {1, 2}), series("B", {-3})}}}));
    m_chart->setDatas(QList<QList<double>>{{0.5}, {2.25, 1e-3}});
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"series", QJsonArray{series("A", {0.5}), series("B", {2.25, 1e-3})}}}));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 4);
    QCOMPARE(m_probe->option().value("series").toArray().at(1).toObject().value("stack").toString(),
             QStringLiteral("总量"));
}

void tst_KzChartStack::translatedStackName()
{
    StackNameTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    m_chart->setLegends({QStringLiteral("A")}, true);
    m_probe->nextFragment();
    m_chart->setDatas(QList<QList<int>>{{4}});
    const QJsonObject fragment = m_probe->nextFragment();
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(fragment.value("series").toArray().at(0).toObject().value("stack").toString(), QStringLiteral("Total"));
}

void tst_KzChartStack::showBars()
{
    m_probe->disableAnimation();
    m_chart->setCategories({QStringLiteral("一车间"), QStringLiteral("二车间"), QStringLiteral("三车间")});
    m_chart->setLegends({QStringLiteral("电"), QStringLiteral("水")}, true);
    m_chart->setDatas(QList<QList<int>>{{120, 200, 150}, {80, 70, 110}});
    QTRY_COMPARE(m_probe->option().value("series").toArray().size(), 2);
}

void tst_KzChartStack::categoryClickInBothOrientations()
{
    QSignalSpy categories(m_chart, &KzChartStack::categoryClicked);
    QPoint label;
    for (bool horizontal : {true, false}) {
        m_chart->setHorizontal(horizontal);
        showBars();
        QTRY_VERIFY(!(label = m_probe->textPoint(QStringLiteral("二车间"))).isNull());
        // A value label is not a category: clicking it reports nothing, as
        // the following label click proves.
        const QPoint value = m_probe->textPoint(QStringLiteral("100"));
        QVERIFY(!value.isNull());
        m_probe->click(value);
        m_probe->click(label);
        QVERIFY(categories.wait());
        QCOMPARE(categories.size(), 1);
        QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("二车间"));
    }
}

void tst_KzChartStack::backButton()
{
    checkBackButton(m_chart, m_probe);
}

KZ_CHART_TEST_MAIN(tst_KzChartStack)
#include "tst_kzchartstack.moc"
