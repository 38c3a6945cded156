#include <kzchartreplaylog.h>

#include <QTest>

using namespace KzChartHost;

// The keys by which the replay log and the host's call queue let a newer call
// take the place of an older one: calls of equal key must set the same
// things, calls of different keys must not both be dropped.
class tst_ReplayLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void optionKeys_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::newRow("values differ") << R"({"title":{"text":"a"}})" << R"({"title":{"text":"b, [c]"}})" << true;
        QTest::newRow("data lists differ") << R"({"series":[{"data":[1,2],"name":"A"}]})"
                                           << R"({"series":[{"data":[[1,2],{"x":"y"}],"name":"B"}]})" << true;
        QTest::newRow("other member") << R"({"title":{"text":"a"}})" << R"({"title":{"subtext":"a"}})" << false;
        QTest::newRow("more components") << R"({"series":[{"data":[],"name":"A"}]})"
                                         << R"({"series":[{"data":[],"name":"A"},{"data":[],"name":"B"}]})" << false;
        QTest::newRow("object or array") << R"({"legend":{"data":[]}})" << R"({"legend":[{"data":[]}]})" << false;
        QTest::newRow("escaped quote") << QString("{\"title\":{\"text\":\"\\\"}\"}}") << QString("{\"title\":{\"text\":\"\"}}") << true;
    }

    void optionKeys()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        QCOMPARE(optionKey(first) == optionKey(second), same);
    }

    void keyedCalls()
    {
        // A newer call of a key takes the place of the older and goes last;
        // the call it replaced comes back.
        KeyedCalls calls;
        QVERIFY(calls.keep({functionKey("setTitle(1)"), "setTitle(1)", {"a1"}}).key.isEmpty());
        calls.keep({functionKey("clear()"), "clear()", {}});
        const PageCall replaced = calls.keep({functionKey("setTitle(2)"), "setTitle(2)", {}});
        QCOMPARE(replaced.attachmentIds, QStringList{"a1"});
        QStringList order;
        for (const PageCall &call : calls.take())
            order.append(call.script);
        QCOMPARE(order, QStringList({"clear()", "setTitle(2)"}));
        QVERIFY(calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ReplayLog)
#include "tst_replaylog.moc"
