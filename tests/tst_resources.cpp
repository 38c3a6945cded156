#include <QFile>
#include <QLibrary>
#include <QTest>

// The library registers its chart pages, ECharts and its translations with Qt's
// resource system when it is loaded and takes them away again when it is unloaded.
class tst_Resources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadAndUnload()
    {
        // One entry of each resource tree; the chart tests load every page.
        const QStringList entries = {":/ECharts/Resources/ECharts/bar.html",
                                     ":/ECharts/Resources/ECharts/echarts.js",
                                     ":/KzChartWidget/translations/kzchartwidget_en.qm"};
        auto present = [&] {
            return int(std::count_if(entries.begin(), entries.end(), [](const QString &e) { return QFile::exists(e); }));
        };
        QCOMPARE(present(), 0);
        // Twice: a second load must register the tree again.
        for (int round = 0; round < 2; ++round) {
            QLibrary library(QStringLiteral(KZCHART_LIBRARY_FILE));
            QVERIFY2(library.load(), qPrintable(library.errorString()));
            QCOMPARE(present(), entries.size());
            QVERIFY(library.unload());
            QCOMPARE(present(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Resources)
#include "tst_resources.moc"
