#include "chartprobe.h"

#include <kzchartbar.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

// Drives KzChartBar through its real page: fragments as the page received
// them, the merged chart option, and real mouse input on the drawn chart.
class tst_KzChartBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void construction();
    void setterRightAfterConstruction();
    void commonSetters();
    void hostileTextsArriveUnchanged();
    void categoriesAndLegends();
    void datas();
    void grid();
    void clearChart();
    void categoryClick();
    void backButton();
    void rightClickOpensNoMenu();
    void containerFollowsResize();
    void relaySlots();

private:
    QJsonObject seriesAt(int index);

    KzChartBar *m_chart = nullptr;
    ChartProbe *m_probe = nullptr;
};

void tst_KzChartBar::init()
{
    m_chart = new KzChartBar;
    m_chart->resize(800, 500);
    m_chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chart));
    m_probe = new ChartProbe(m_chart);
    QVERIFY(m_probe->attach({QStringLiteral("setChartOption"), QStringLiteral("clearChartOption")}));
}

void tst_KzChartBar::cleanup()
{
    delete m_probe;
    delete m_chart;
}

QJsonObject tst_KzChartBar::seriesAt(int index)
{
    return m_probe->option().value(QStringLiteral("series")).toArray().at(index).toObject();
}

void tst_KzChartBar::construction()
{
    // Without a parent the widget is a window; the view fills it.
    QCOMPARE(m_chart->metaObject()->superClass(), &QWidget::staticMetaObject);
    QVERIFY(m_chart->isWindow());
    auto *layout = qobject_cast<QHBoxLayout *>(m_chart->layout());
    QVERIFY(layout);
    QCOMPARE(layout->contentsMargins(), QMargins());
    QCOMPARE(layout->spacing(), 0);
    QCOMPARE(m_probe->view()->geometry(), m_chart->rect());

    // With a parent it is a child holding its own view.
    QWidget parent;
    auto *child = new KzChartBar(&parent);
    QVERIFY(!child->isWindow());
    QCOMPARE(child->findChildren<QWebEngineView *>().size(), 1);

    // The page came up with its base option.
    const QJsonObject option = m_probe->option();
    QCOMPARE(option.value("title").toArray().at(0).toObject().value("text").toString(), QString());
    QCOMPARE(option.value("legend").toArray().at(0).toObject().value("data").toArray(), QJsonArray());
    QCOMPARE(option.value("series").toArray(), QJsonArray());
}

void tst_KzChartBar::setterRightAfterConstruction()
{
    KzChartBar chart;
    chart.setTitle(QStringLiteral("at once"));
    ChartProbe probe(&chart);
    QVERIFY(probe.attach());
    QTRY_COMPARE(probe.option().value("title").toArray().at(0).toObject().value("text").toString(),
                 QStringLiteral("at once"));
}

void tst_KzChartBar::commonSetters()
{
    m_chart->setTitle(QStringLiteral("Output"));
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"title", QJsonObject{{"text", "Output"}}}}));
    m_chart->setSubTitle(QStringLiteral("tonnes"));
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"title", QJsonObject{{"subtext", "tonnes"}}}}));
    // The subtitle merges into the title without losing its text.
    const QJsonObject title = m_probe->option().value("title").toArray().at(0).toObject();
    QCOMPARE(title.value("text").toString(), QStringLiteral("Output"));
    QCOMPARE(title.value("subtext").toString(), QStringLiteral("tonnes"));

    m_chart->setColors({QStringLiteral("#ff0000"), QStringLiteral("green")});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"color", QJsonArray{"#ff0000", "green"}}}));
    m_chart->setColors({});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"color", QJsonArray()}}));

    m_chart->setToolBackVisible(true);
    const QJsonObject shown{{"toolbox", QJsonObject{{"feature", QJsonObject{{"myToolBack", QJsonObject{{"show", true}}}}}}}};
    QCOMPARE(m_probe->nextFragment(), shown);
}

void tst_KzChartBar::hostileTextsArriveUnchanged()
{
    const QStringList texts = {
        QStringLiteral("say \"hi\" & 'bye'"),
        QStringLiteral("back\\slash \\n not a newline"),
        QStringLiteral("two\nlines\r\tand tab"),
        QStringLiteral("%1 and %2 and 100%"),
        QStringLiteral("温度 ℃ 測定"),
        QStringLiteral("emoji 🚧📈"),
        QStringLiteral("line\u2028separator\u2029paragraph"),
        QStringLiteral("</script><script>alert(1)</script>"),
    };
    m_chart->setTitle(texts.at(0) + texts.at(3));
    m_chart->setSubTitle(texts.at(6) + texts.at(2));
    m_chart->setCategories(texts);
    m_chart->setLegends(texts);

    const QJsonObject legend{{"legend", QJsonObject{{"data", QJsonArray::fromStringList(texts)}}}};
    const QJsonArray calls = m_probe->waitForCalls(QStringLiteral("setChartOption"), 4);
    QCOMPARE(calls.size(), 4);
    QCOMPARE(calls.at(3).toArray().at(0).toObject(), legend);

    const QJsonObject option = m_probe->option();
    const QJsonObject title = option.value("title").toArray().at(0).toObject();
    QCOMPARE(title.value("text").toString(), texts.at(0) + texts.at(3));
    QCOMPARE(title.value("subtext").toString(), texts.at(6) + texts.at(2));
    QCOMPARE(option.value("xAxis").toArray().at(0).toObject().value("data").toArray(),
             QJsonArray::fromStringList(texts));
    QCOMPARE(option.value("legend").toArray().at(0).toObject().value("data").toArray(),
             QJsonArray::fromStringList(texts));
}

void tst_KzChartBar::categoriesAndLegends()
{
    m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb")});
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"xAxis", QJsonArray{QJsonObject{{"type", "category"}, {"data", QJsonArray{"Jan", "Feb"}}}}}}));
    // Merged: the base option's label interval and click events stay.
    const QJsonObject axis = m_probe->option().value("xAxis").toArray().at(0).toObject();
    QCOMPARE(axis.value("triggerEvent").toBool(), true);
    QCOMPARE(axis.value("axisLabel").toObject().value("interval").toInt(), 0);

    m_chart->setCategories({});
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"xAxis", QJsonArray{QJsonObject{{"type", "category"}, {"data", QJsonArray()}}}}}));

    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B")});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"legend", QJsonObject{{"data", QJsonArray{"A", "B"}}}}}));

    m_chart->setLegends({QStringLiteral("C")}, QStringLiteral("right"), QStringLiteral("10%"),
                        QStringLiteral("vertical"));
    QCOMPARE(m_probe->nextFragment(),
             QJsonObject({{"legend", QJsonArray{QJsonObject{
                     {"x", "right"}, {"y", "10%"}, {"orient", "vertical"}, {"data", QJsonArray{"C"}}}}}}));
    const QJsonObject legend = m_probe->option().value("legend").toArray().at(0).toObject();
    QCOMPARE(legend.value("orient").toString(), QStringLiteral("vertical"));
    QCOMPARE(legend.value("type").toString(), QStringLiteral("scroll"));

    m_chart->setLegends({});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"legend", QJsonObject{{"data", QJsonArray()}}}}));
}

void tst_KzChartBar::datas()
{
    // No legends yet: an empty list of rows passes, any other is dropped.
    m_chart->setDatas(QList<QList<int>>{{1, 2}});
    m_chart->setDatas(QList<QList<int>>{});
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", QJsonArray()}}));

    m_chart->setLegends({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    m_probe->nextFragment();
    m_chart->setDatas(QList<QList<int>>{{1}, {2}});
    m_chart->setDatas(QList<QList<int>>{{1, 2, 3}, {4}, {}});
    const QJsonArray ints{QJsonObject{{"name", "A"}, {"type", "bar"}, {"data", QJsonArray{1, 2, 3}}},
                          QJsonObject{{"name", "B"}, {"type", "bar"}, {"data", QJsonArray{4}}},
                          QJsonObject{{"name", "C"}, {"type", "bar"}, {"data", QJsonArray()}}};
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"series", ints}}));
    QCOMPARE(m_probe->calls(QStringLiteral("setChartOption")).size(), 3);

    // The other legend form replaces the names just the same.
    m_chart->setLegends({QStringLiteral("X")}, QStringLiteral("center"), QStringLiteral("bottom"),
                        QStringLiteral("horizontal"));
    m_probe->nextFragment();
    m_chart->setDatas(QList<QList<double>>{{0.5, -1.25, 1e-7}});
    const QJsonObject doubles = m_probe->nextFragment();
    QCOMPARE(doubles, QJsonObject({{"series", QJsonArray{QJsonObject{
            {"name", "X"}, {"type", "bar"}, {"data", QJsonArray{0.5, -1.25, 1e-7}}}}}}));
    QCOMPARE(seriesAt(0).value("name").toString(), QStringLiteral("X"));
}

void tst_KzChartBar::grid()
{
    m_chart->setGrid(10, 15, 10, 20);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"grid", QJsonArray{QJsonObject{
            {"left", "10%"}, {"top", "15%"}, {"right", "10%"}, {"bottom", "20%"}}}}}));
    m_chart->setGrid(-3, 0, 250, 12);
    QCOMPARE(m_probe->nextFragment(), QJsonObject({{"grid", QJsonArray{QJsonObject{
            {"left", "-3%"}, {"top", "0%"}, {"right", "250%"}, {"bottom", "12%"}}}}}));
}

void tst_KzChartBar::clearChart()
{
    m_chart->setTitle(QStringLiteral("kept"));
    m_chart->setToolBackVisible(true);
    m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb")});
    m_chart->setLegends({QStringLiteral("A")});
    m_chart->setDatas(QList<QList<int>>{{3, 4}});
    QTRY_COMPARE(m_probe->option().value("series").toArray().size(), 1);

    m_chart->clearChart();
    QCOMPARE(m_probe->waitForCalls(QStringLiteral("clearChartOption"), 1), QJsonArray{QJsonArray()});
    const QJsonObject option = m_probe->option();
    QCOMPARE(option.value("series").toArray(), QJsonArray());
    QCOMPARE(option.value("xAxis").toArray().at(0).toObject().value("data").toArray(), QJsonArray());
    QCOMPARE(option.value("title").toArray().at(0).toObject().value("text").toString(), QStringLiteral("kept"));
    QCOMPARE(option.value("legend").toArray().at(0).toObject().value("data").toArray(), QJsonArray{"A"});
    QVERIFY(!m_probe->textPoint(QStringLiteral("返回")).isNull());

    // The remembered legends survive: one row is still accepted.
    m_chart->setDatas(QList<QList<int>>{{7}});
    QTRY_COMPARE(seriesAt(0).value("data").toArray(), QJsonArray{7});
}

void tst_KzChartBar::categoryClick()
{
    m_probe->disableAnimation();
    m_chart->setCategories({QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("三月")});
    m_chart->setLegends({QStringLiteral("A")});
    m_chart->setDatas(QList<QList<int>>{{5, 9, 7}});
    QTRY_COMPARE(seriesAt(0).value("data").toArray().size(), 3);
    QSignalSpy categories(m_chart, &KzChartBar::categoryClicked);
    QSignalSpy backs(m_chart, &KzChartBar::toolBackClicked);

    QPoint label;
    QTRY_VERIFY(!(label = m_probe->textPoint(QStringLiteral("三月"))).isNull());
    m_probe->click(label);
    QVERIFY(categories.wait());
    QCOMPARE(categories.takeFirst().at(0).toString(), QStringLiteral("三月"));

    // A bar and the empty plot area report nothing.
    const QPoint bar = m_probe->viewPoint(QStringLiteral(
            "(function () { var l = myChart.getModel().getSeriesByIndex(0).getData().getItemLayout(1);"
            " return [l.x + l.width / 2, l.y + l.height / 2]; })()"));
    const QPoint empty = m_probe->viewPoint(QStringLiteral(
            "(function () { var r = myChart.getModel().getComponent('grid').coordinateSystem.getRect();"
            " return [r.x + r.width * 0.3, r.y + 5]; })()"));
    m_probe->click(bar);
    m_probe->click(empty);
    // A later label click proves that the earlier clicks had their chance.
    m_probe->click(m_probe->textPoint(QStringLiteral("Jan")));
    QVERIFY(categories.wait());
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("Jan"));
    QCOMPARE(backs.size(), 0);
}

void tst_KzChartBar::backButton()
{
    QSignalSpy backs(m_chart, &KzChartBar::toolBackClicked);
    auto buttonShown = [this] {
        return m_probe->option().value("toolbox").toArray().at(0).toObject().value("feature").toObject()
                .value("myToolBack").toObject().value("show").toBool();
    };
    QVERIFY(!buttonShown());
    QVERIFY(m_probe->textPoint(QStringLiteral("返回")).isNull());

    m_chart->setToolBackVisible(true);
    QTRY_VERIFY(buttonShown());
    QPoint button;
    QTRY_VERIFY(!(button = m_probe->textPoint(QStringLiteral("返回"))).isNull());
    m_probe->click(button);
    QVERIFY(backs.wait());
    // Exactly once per click.
    QTest::qWait(300);
    QCOMPARE(backs.size(), 1);

    m_chart->setToolBackVisible(false);
    QTRY_VERIFY(!buttonShown());
    QTRY_VERIFY(m_probe->textPoint(QStringLiteral("返回")).isNull());
    m_probe->click(button);
    QTest::qWait(300);
    QCOMPARE(backs.size(), 1);
}

void tst_KzChartBar::rightClickOpensNoMenu()
{
    QCOMPARE(m_probe->view()->contextMenuPolicy(), Qt::NoContextMenu);
    m_probe->rightClick(QPoint(200, 200));
    QTest::qWait(300);
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!(qobject_cast<QMenu *>(widget) && widget->isVisible()));
}

void tst_KzChartBar::containerFollowsResize()
{
    const QString sizes = QStringLiteral(
            "[window.innerWidth - mainContainer.offsetWidth, window.innerHeight - mainContainer.offsetHeight,"
            " myChart.getWidth(), mainContainer.offsetWidth]");
    QTRY_COMPARE(m_probe->evalJson(sizes).toArray().at(0).toInt(), 20);
    m_chart->resize(640, 360);
    QTRY_COMPARE(m_probe->evalJson(QStringLiteral("window.innerWidth")).toInt(), 640);
    const QJsonArray after = m_probe->evalJson(sizes).toArray();
    QCOMPARE(after.at(0).toInt(), 20);
    QCOMPARE(after.at(1).toInt(), 20);
    // The chart itself was resized along with its container.
    QCOMPARE(after.at(2).toInt(), after.at(3).toInt());
    QCOMPARE(after.at(3).toInt(), 620);
}

void tst_KzChartBar::relaySlots()
{
    QSignalSpy categories(m_chart, &KzChartBar::categoryClicked);
    QSignalSpy backs(m_chart, &KzChartBar::toolBackClicked);
    m_chart->clickedCategory(QStringLiteral("any % text"));
    m_chart->clickedToolBack();
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.at(0).at(0).toString(), QStringLiteral("any % text"));
    QCOMPARE(backs.size(), 1);
}

KZ_CHART_TEST_MAIN(tst_KzChartBar)
#include "tst_kzchartbar.moc"
