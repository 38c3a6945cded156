#include "kzchartreplaylog.h"
#include "kzchartattachments.h"

namespace KzChartHost {

namespace {

// Advances past one JSON value of compact text: past the closing quote or
// bracket, or up to the comma or bracket that ends a number or literal.
void skipValue(const QChar *&p, const QChar *end)
{
    int depth = 0;
    while (p < end) {
        const QChar c = *p;
        if (c == QLatin1Char('"')) {
            for (++p; p < end && *p != QLatin1Char('"'); ++p) {
                if (*p == QLatin1Char('\\'))
                    ++p;
            }
            ++p;
            if (depth == 0)
                return;
            continue;
        }
        if (c == QLatin1Char('[') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (depth == 0)
                return;
            if (--depth == 0) {
                ++p;
                return;
            }
        } else if (c == QLatin1Char(',') && depth == 0) {
            return;
        }
        ++p;
    }
}

void appendShape(const QChar *&p, const QChar *end, QString &shape)
{
    if (p >= end)
        return;
    const QChar open = *p;
    if (open != QLatin1Char('{') && open != QLatin1Char('[')) {
        skipValue(p, end);
        shape += QLatin1Char('v');
        return;
    }
    const bool object = open == QLatin1Char('{');
    shape += open;
    ++p;
    while (p < end && *p != QLatin1Char(object ? '}' : ']')) {
        if (*p == QLatin1Char(','))
            shape += *p++;
        if (object) {
            const QChar *name = p;
            skipValue(p, end);
            const QStringView key(name, p - name);
            shape += key;
            ++p; // the colon
            if (key == QLatin1String("\"data\"")) {
                skipValue(p, end);
                continue;
            }
        }
        appendShape(p, end, shape);
    }
    shape += QLatin1Char(object ? '}' : ']');
    ++p;
}

} // namespace

QString functionKey(const QString &script)
{
    return script.left(script.indexOf(QLatin1Char('(')));
}

QString optionKey(const QString &json)
{
    QString shape = QStringLiteral("setChartOption");
    const QChar *p = json.constData();
    appendShape(p, p + json.size(), shape);
    return shape;
}

PageCall KeyedCalls::keep(const PageCall &call)
{
    PageCall replaced;
    for (auto it = m_calls.begin(); it != m_calls.end(); ++it) {
        if (it->key == call.key) {
            replaced = *it;
            m_calls.erase(it);
            break;
        }
    }
    m_calls.append(call);
    return replaced;
}

QList<PageCall> KeyedCalls::take()
{
    QList<PageCall> calls;
    calls.swap(m_calls);
    return calls;
}

ReplayLog::~ReplayLog()
{
    clear();
}

void ReplayLog::keep(const PageCall &call)
{
    withdrawAttachments(m_calls.keep(call).attachmentIds);
}

void ReplayLog::clear()
{
    for (const PageCall &call : m_calls.take())
        withdrawAttachments(call.attachmentIds);
}

} // namespace KzChartHost
