#ifndef KZCHARTJSONWRITER_H
#define KZCHARTJSONWRITER_H

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

namespace KzChartHost {

// Binary doubles that a long series travels as instead of text, named in the
// text by a random id (see writeLineData()).
struct Attachment
{
    QString id;
    QByteArray doubles;
};
using Attachments = QList<Attachment>;

// An option fragment as the page receives it: compact JSON text and the
// attachments that the text names.
struct Fragment
{
    QString json;
    Attachments attachments;
};

// Writes compact JSON text straight into a QString, byte for byte as
// QJsonDocument::toJson(QJsonDocument::Compact) writes the same values:
// object members in QJsonObject's key order, numbers in Qt's shortest form,
// NaN and infinities as null, strings escaped as Qt escapes them.
//
// Series of 100k points would otherwise be built as QJsonArray trees only to
// be serialised and converted once more; written here they cost a few
// characters per number. Small fragments go through the same writer, so that
// every page call is formatted by one piece of code.
class JsonWriter
{
public:
    // A member of an object whose value is written by a function instead of
    // being held in a QJsonObject (a large array, typically).
    using StreamedMember = QPair<QString, std::function<void(JsonWriter &)>>;

    void writeValue(const QJsonValue &value);
    // The members of object and the streamed ones, merged in key order.
    // A streamed key must not also be a key of object.
    void writeObject(const QJsonObject &object, const QList<StreamedMember> &streamed = {});
    void writeNumber(double value);
    void writeNumber(int value);
    void writeString(const QString &text);
    void writeNull();

    // [item, item, ...] with writeItem(*this, item) for each item.
    template <typename Container, typename WriteItem>
    void writeArray(const Container &items, WriteItem writeItem)
    {
        m_text.append(QLatin1Char('['));
        bool first = true;
        for (const auto &item : items) {
            if (!first)
                m_text.append(QLatin1Char(','));
            first = false;
            writeItem(*this, item);
        }
        m_text.append(QLatin1Char(']'));
    }
    // An array of plain numbers.
    template <typename Number>
    void writeNumbers(const QList<Number> &values)
    {
        writeArray(values, [](JsonWriter &writer, Number value) { writer.writeNumber(value); });
    }

    void writeStrings(const QStringList &texts)
    {
        writeArray(texts, [](JsonWriter &writer, const QString &text) { writer.writeString(text); });
    }

    // Characters appended as they are: punctuation and JSON known to be valid.
    void writeRaw(QLatin1String text) { m_text.append(text); }

    // Keeps doubles as an attachment of the text and returns the id that
    // names it there; the attachments travel with the text.
    QString attach(const QByteArray &doubles);

    const QString &text() const { return m_text; }
    Fragment fragment() const { return {m_text, m_attachments}; }

private:
    QString m_text;
    Attachments m_attachments;
};

} // namespace KzChartHost

#endif // KZCHARTJSONWRITER_H
