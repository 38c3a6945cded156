#include "chartchecks.h"

#include <kzchartstack.h>

#include <QApplication>
#include <QTranslator>

namespace {

// Translates the stack name in KzChartStack's context and nothing else.
class StackNameTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "KzChartStack") == 0 && QString::fromUtf8(source) == QStringLiteral("总量"))
            return QStringLiteral("Total");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// Drives KzChartStack through its real page: fragments as the page received
// them and real clicks on axis labels in both orientations.
class tst_KzChartStack : public QObject
{
    Q_OBJECT

    KzChartStack *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;

private Q_SLOTS:
    void init() { openChart(m_chart, m_probe); }
    void cleanup() { delete m_probe; delete m_chart; }

    void commonSettersAndRelays() { checkCommonSetters(m_chart, m_probe); }
    void backButton() { checkBackButton(m_chart, m_probe); }

    void categoriesFollowOrientation()
    {
        m_chart->setCategories({QStringLiteral("Q1"), QStringLiteral("Q2")});
        QCOMPARE(m_probe->nextFragment(), json(R"({"yAxis": [{"type": "category", "data": ["Q1", "Q2"]}]})"));
        m_chart->setHorizontal(false);
        QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": {"type": "category"}, "yAxis": {"type": "value"}})"));
        m_chart->setCategories({QStringLiteral("Q3")});
        QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": [{"type": "category", "data": ["Q3"]}]})"));
        m_chart->setHorizontal(true);
        QCOMPARE(m_probe->nextFragment(), json(R"({"xAxis": {"type": "value"}, "yAxis": {"type": "category"}})"));
        m_chart->setCategories({});
        QCOMPARE(m_probe->nextFragment(), json(R"({"yAxis": [{"type": "category", "data": []}]})"));
    }

    void legendsAndSeries()
    {
        // Rows are refused unless there are as many as legends; with none yet
        // only the empty list passes.
        m_chart->setDatas(QList<QList<int>>{{1}});
        m_chart->setDatas(QList<QList<int>>{});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": []})"));

        // Selection switched off lasts through a later selectable call.
        const QStringList names{QStringLiteral("A"), QStringLiteral("B")};
        m_chart->setLegends(names, false);
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": [{"data": ["A", "B"], "selectedMode": false}]})"));
        m_chart->setLegends(names, true);
        QCOMPARE(m_probe->nextFragment(), json(R"({"legend": [{"data": ["A", "B"]}]})"));
        QCOMPARE(m_probe->option().value("legend").toArray().at(0).toObject().value("selectedMode").toBool(true),
                 false);

        m_chart->setDatas(QList<QList<int>>{{1}});
        m_chart->setDatas(QList<QList<int>>{{1, 2}, {-3}});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "A", "type": "bar", "stack": "总量",
            "data": [1, 2]}, {"name": "B", "type": "bar", "stack": "总量", "data": [-3]}]})"));
        m_chart->setDatas(QList<QList<double>>{{0.5}, {2.25, 1e-3}});
        QCOMPARE(m_probe->nextFragment(), json(R"({"series": [{"name": "A", "type": "bar", "stack": "总量",
            "data": [0.5]}, {"name": "B", "type": "bar", "stack": "总量", "data": [2.25, 1e-3]}]})"));

        // The stack name is translatable.
        StackNameTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        m_chart->setDatas(QList<QList<int>>{{4}, {5}});
        const QJsonObject translated = m_probe->nextFragment();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(translated.value("series").toArray().at(1).toObject().value("stack").toString(),
                 QStringLiteral("Total"));
        QCOMPARE(fragmentCount(m_probe), 6);
    }

    void labelClickInBothOrientations()
    {
        // Upright first and then back: the page must keep the category
        // labels, and only those, clickable as the axes swap both ways.
        QSignalSpy categories(m_chart, &KzChartStack::categoryClicked);
        m_probe->disableAnimation();
        for (bool horizontal : {false, true}) {
            m_chart->setHorizontal(horizontal);
            m_chart->setCategories(
                    {QStringLiteral("一车间"), QStringLiteral("二车间"), QStringLiteral("三车间")});
            m_chart->setLegends({QStringLiteral("电"), QStringLiteral("水")}, true);
            m_chart->setDatas(QList<QList<int>>{{120, 200, 150}, {80, 70, 110}});
            QPoint label;
            QTRY_VERIFY(!(label = m_probe->textPoint(QStringLiteral("二车间"))).isNull());
            // A value label is no category: the label click after it proves
            // that it had its chance to report.
            QPoint value;
            QTRY_VERIFY(!(value = m_probe->textPoint(QStringLiteral("100"))).isNull());
            m_probe->click(value);
            m_probe->click(label);
            QVERIFY(categories.wait());
            QCOMPARE(categories.size(), 1);
            QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("二车间"));
        }
    }
};

KZ_CHART_TEST_MAIN(tst_KzChartStack)
#include "tst_kzchartstack.moc"
