#include <kzchartglobal.h>

#include <QTest>

// KzChart::useProcessPerSite() adds Chromium's process-per-site mode to the
// host's own flags, unless they already choose a process model.
class tst_ProcessSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void processPerSite_data()
    {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("none") << QByteArray() << true << QByteArray("--process-per-site");
        QTest::newRow("the host's") << QByteArray("--disable-gpu") << true
                                    << QByteArray("--disable-gpu --process-per-site");
        QTest::newRow("already") << QByteArray("--process-per-site") << true << QByteArray("--process-per-site");
        QTest::newRow("single process") << QByteArray("--single-process") << false << QByteArray("--single-process");
        QTest::newRow("per tab") << QByteArray("--process-per-tab") << false << QByteArray("--process-per-tab");
    }

    void processPerSite()
    {
        QFETCH(QByteArray, flags);
        QFETCH(bool, result);
        QFETCH(QByteArray, after);
        if (flags.isEmpty())
            qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        else
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
        QCOMPARE(KzChart::useProcessPerSite(), result);
        QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), after);
    }
};

QTEST_GUILESS_MAIN(tst_ProcessSetup)
#include "tst_processsetup.moc"
