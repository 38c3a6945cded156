#include <QFile>
#include <QLibrary>
#include <QTest>

// The library registers its chart pages and ECharts with Qt's resource system
// when it is loaded and takes them away again when it is unloaded.
class tst_Resources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadAndUnload();
};

static const char *const entries[] = {
    ":/ECharts/Resources/ECharts/bar.html",
    ":/ECharts/Resources/ECharts/stackBar.html",
    ":/ECharts/Resources/ECharts/pie.html",
    ":/ECharts/Resources/ECharts/donut.html",
    ":/ECharts/Resources/ECharts/line.html",
    ":/ECharts/Resources/ECharts/lineZoom.html",
    ":/ECharts/Resources/ECharts/echarts.min.js",
    ":/ECharts/Resources/ECharts/theme/macarons.js",
};

static bool allPresent()
{
    for (const char *entry : entries) {
        if (!QFile::exists(QString::fromLatin1(entry)))
            return false;
    }
    return true;
}

static bool nonePresent()
{
    for (const char *entry : entries) {
        if (QFile::exists(QString::fromLatin1(entry)))
            return false;
    }
    return true;
}

void tst_Resources::loadAndUnload()
{
    QVERIFY(nonePresent());

    // Twice: a second load must register the tree again.
    for (int round = 0; round < 2; ++round) {
        QLibrary library(QStringLiteral(KZCHART_LIBRARY_FILE));
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        QVERIFY(allPresent());

        QFile page(QString::fromLatin1(entries[0]));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        QVERIFY(html.startsWith(QLatin1String("<!DOCTYPE html>")));
        QVERIFY(html.contains(QStringLiteral("返回")));

        QVERIFY(library.unload());
        QVERIFY(nonePresent());
    }
}

QTEST_GUILESS_MAIN(tst_Resources)
#include "tst_resources.moc"
