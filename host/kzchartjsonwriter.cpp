#include "kzchartjsonwriter.h"

#include <QJsonArray>
#include <QUuid>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace KzChartHost {

namespace {

constexpr double twoPow53 = 9007199254740992.0;

void appendAscii(QString &text, const char *begin, const char *end)
{
    text.append(QLatin1String(begin, int(end - begin)));
}

// The decimal digits of value, written backwards so that they end at end;
// returns where they begin. (Not std::to_chars: its integer digit table is
// a template's static data, which would be exported from the library,
// bound to by other libraries and so would keep it from unloading.)
char *formatInteger(char *end, long long value)
{
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    do {
        *--end = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--end = '-';
    return end;
}

void appendInteger(QString &text, long long value)
{
    char buffer[24];
    char *const end = buffer + sizeof buffer;
    appendAscii(text, formatInteger(end, value), end);
}

// The decimal form of the shortest digits: "123.45", "0.00012", "1200".
void appendDecimal(QString &text, bool negative, const char *digits, int count, int decpt)
{
    char buffer[400];
    char *out = buffer;
    if (negative)
        *out++ = '-';
    if (decpt <= 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -decpt, '0');
        out = std::copy(digits, digits + count, out);
    } else if (decpt >= count) {
        out = std::copy(digits, digits + count, out);
        out = std::fill_n(out, decpt - count, '0');
    } else {
        out = std::copy(digits, digits + decpt, out);
        *out++ = '.';
        out = std::copy(digits + decpt, digits + count, out);
    }
    appendAscii(text, buffer, out);
}

// The exponent form, with at least two exponent digits: "1e+20", "1.5e-05".
void appendExponent(QString &text, bool negative, const char *digits, int count, int exponent)
{
    char buffer[40];
    char *out = buffer;
    if (negative)
        *out++ = '-';
    *out++ = digits[0];
    if (count > 1) {
        *out++ = '.';
        out = std::copy(digits + 1, digits + count, out);
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        *out++ = '0';
    appendAscii(text, buffer, out);
    appendInteger(text, magnitude);
}

// Whether Qt writes these shortest digits in exponent form ('g' format).
bool prefersExponent(int count, int decpt)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 keeps the decimal form from 1e-4 up to where the exponent form
    // saves more than the decimal point and a digit.
    if (decpt - 1 < -4)
        return true;
    if (decpt <= 0)
        return false;
    int cutoff = count + 4 + (decpt <= 10 ? 1 : (decpt > 100 ? 2 : 1));
    if (count > decpt)
        ++cutoff;
    return decpt - 1 >= cutoff;
#else
    // Qt 6 takes whichever form is shorter, the decimal one on a tie.
    const int exponentDigits = std::abs(decpt - 1) >= 100 ? 3 : 2;
    const int exponentLength = count + (count > 1 ? 1 : 0) + 2 + exponentDigits;
    const int decimalLength = decpt <= 0 ? 2 - decpt + count : (decpt >= count ? decpt : count + 1);
    return exponentLength < decimalLength;
#endif
}

} // namespace

void JsonWriter::writeNumber(int value)
{
    appendInteger(m_text, value);
}

void JsonWriter::writeNumber(double value)
{
    if (!std::isfinite(value)) {
        writeNull();
        return;
    }
    char buffer[40];
    const double magnitude = std::abs(value);
    // Whole numbers that a double holds exactly are written as integers
    // (the common case for keys and counters, and the cheapest).
    if (magnitude <= twoPow53 && value == std::trunc(value)) {
        appendInteger(m_text, static_cast<long long>(value));
        return;
    }

    // The shortest digits that read back as the same double, as "d.ddde+XX".
    const char *const end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific).ptr;
    const char *const e = std::find(static_cast<const char *>(buffer), end, 'e');
    char digits[20];
    int count = 0;
    for (const char *c = buffer; c != e; ++c) {
        if (*c != '.')
            digits[count++] = *c;
    }
    int exponent = 0;
    for (const char *c = e + 2; c != end; ++c)
        exponent = exponent * 10 + (*c - '0');
    if (e[1] == '-')
        exponent = -exponent;
    const int decpt = exponent + 1;
    const bool negative = value < 0;

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 writes every whole number below 2^64 in decimal form.
    if (magnitude < 18446744073709551616.0 && value == std::trunc(value)) {
        appendDecimal(m_text, negative, digits, count, decpt);
        return;
    }
#endif
    if (prefersExponent(count, decpt))
        appendExponent(m_text, negative, digits, count, exponent);
    else
        appendDecimal(m_text, negative, digits, count, decpt);
}

void JsonWriter::writeString(const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    m_text.append(QLatin1Char('"'));
    const QChar *const chars = text.constData();
    const int size = text.size();
    int plainFrom = 0; // start of the characters that go as they are
    for (int i = 0; i < size; ++i) {
        const char16_t c = chars[i].unicode();
        const char *shortEscape = nullptr;
        switch (c) {
        case u'"': shortEscape = "\\\""; break;
        case u'\\': shortEscape = "\\\\"; break;
        case u'\b': shortEscape = "\\b"; break;
        case u'\f': shortEscape = "\\f"; break;
        case u'\n': shortEscape = "\\n"; break;
        case u'\r': shortEscape = "\\r"; break;
        case u'\t': shortEscape = "\\t"; break;
        default: break;
        }
        // Other control characters and halves of surrogate pairs that have
        // no other half cannot travel as they are.
        bool escape = shortEscape || c < 0x20;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < size && chars[i + 1].isLowSurrogate())
                ++i;
            else
                escape = true;
        } else if (QChar::isLowSurrogate(c)) {
            escape = true;
        }
        if (!escape)
            continue;
        m_text.append(chars + plainFrom, i - plainFrom);
        plainFrom = i + 1;
        if (shortEscape) {
            m_text.append(QLatin1String(shortEscape, 2));
        } else {
            const char escaped[] = {'\\', 'u', hex[c >> 12], hex[(c >> 8) & 0xf], hex[(c >> 4) & 0xf], hex[c & 0xf]};
            m_text.append(QLatin1String(escaped, 6));
        }
    }
    m_text.append(chars + plainFrom, size - plainFrom);
    m_text.append(QLatin1Char('"'));
}

QString JsonWriter::attach(const QByteArray &doubles)
{
    m_attachments.append({QUuid::createUuid().toString(QUuid::WithoutBraces), doubles});
    return m_attachments.last().id;
}

void JsonWriter::writeNull()
{
    m_text.append(QLatin1String("null"));
}

void JsonWriter::writeValue(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        writeNull();
        break;
    case QJsonValue::Bool:
        m_text.append(value.toBool() ? QLatin1String("true") : QLatin1String("false"));
        break;
    case QJsonValue::Double:
        writeNumber(value.toDouble());
        break;
    case QJsonValue::String:
        writeString(value.toString());
        break;
    case QJsonValue::Array:
        writeArray(value.toArray(), [](JsonWriter &writer, const QJsonValue &item) { writer.writeValue(item); });
        break;
    case QJsonValue::Object:
        writeObject(value.toObject());
        break;
    }
}

void JsonWriter::writeObject(const QJsonObject &object, const QList<StreamedMember> &streamed)
{
    QList<StreamedMember> pending = streamed;
    std::sort(pending.begin(), pending.end(),
              [](const StreamedMember &a, const StreamedMember &b) { return a.first < b.first; });
    auto next = pending.cbegin();
    bool first = true;
    auto member = [this, &first](const QString &key) {
        if (!first)
            m_text.append(QLatin1Char(','));
        first = false;
        writeString(key);
        m_text.append(QLatin1Char(':'));
    };
    m_text.append(QLatin1Char('{'));
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        for (; next != pending.cend() && next->first < it.key(); ++next) {
            member(next->first);
            next->second(*this);
        }
        member(it.key());
        writeValue(it.value());
    }
    for (; next != pending.cend(); ++next) {
        member(next->first);
        next->second(*this);
    }
    m_text.append(QLatin1Char('}'));
}

} // namespace KzChartHost
