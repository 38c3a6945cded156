#include <kzchartjsonwriter.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <limits>

using KzChartHost::JsonWriter;

// The writer must produce QJsonDocument's compact text exactly, whichever Qt the library is built with: numbers
// near the switches between Qt's decimal and exponent forms, and strings with everything that is escaped.
class tst_JsonWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesQJsonDocument_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QString lone = QStringLiteral("a\"\\/\b\f\n\r\t\x01\x1f\x7f é中😀");
        lone += QChar(0xD800) + QStringLiteral("x") + QChar(0xDC00);
        const QList<double> numbers{0, -0.0, -7, 0.1, 1.0 / 3, 1e5, 1e6, 123456789012, 9e15, 9.1e15, 1e16, 1.5e17,
                                    18446744073709551616.0, 1e20, 1e21, 1.2345e25, 1e-4, 1.5e-4, 1e-5, 0.000123,
                                    2.5e-10, 1e100, -1e-300, 5e-324, std::numeric_limits<double>::max()};
        for (double number : numbers)
            QTest::addRow("%.17g", number) << QJsonValue(number);
        QTest::newRow("nan, infinities") << QJsonValue(QJsonArray{qQNaN(), qInf(), -qInf()});
        QTest::newRow("escapes") << QJsonValue(lone);
        QTest::newRow("object keys in order")
                << QJsonValue(QJsonObject{{"b", 1}, {"B", true}, {lone, QJsonValue()}, {"a", QJsonArray{"x", 2.5}}});
    }

    void matchesQJsonDocument()
    {
        QFETCH(QJsonValue, value);
        const QJsonArray wrapped{value};
        JsonWriter writer;
        writer.writeValue(wrapped);
        QCOMPARE(writer.text(), QString::fromUtf8(QJsonDocument(wrapped).toJson(QJsonDocument::Compact)));
    }
};

QTEST_GUILESS_MAIN(tst_JsonWriter)
#include "tst_jsonwriter.moc"
