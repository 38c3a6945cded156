#ifndef KZCHARTREPLAYLOG_H
#define KZCHARTREPLAYLOG_H

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace KzChartHost {

// A call of a page function as the page bridge runs it: the script, the key
// of what it sets, and the ids of the attachments it names. A written call
// has no script of its own: write() writes it as the call leaves for the
// page, every time it does (a replay included), so that it carries what the
// page lacks at that moment rather than what it lacked when it was made.
struct PageCall
{
    QString key;
    QString script;
    QStringList attachmentIds;
    std::function<QString()> write = {};
};

// The key of a call of a page function that sets one thing as a whole
// ("setTitle(...)" sets what every earlier "setTitle(...)" set): its name.
QString functionKey(const QString &script);
// The key of a setChartOption(json) call on a merging page: the structure of
// the compact JSON text without its values (member names in order, array
// lengths, no "data" member at all, since the pages replace data lists
// whole). Two fragments of equal shape set the same option keys, so the
// later overwrites everything that the earlier set.
QString optionKey(const QString &json);

// Calls by key, each key once, in the order of the newest call of each key:
// running them in order leaves every option key with the value that its
// last writer gave it, as running every call would.
class KeyedCalls
{
public:
    // Keeps call in place of the kept call of the same key, which it
    // returns (with an empty key when there was none).
    PageCall keep(const PageCall &call);
    QList<PageCall> take();
    void clear() { m_calls.clear(); }
    bool isEmpty() const { return m_calls.isEmpty(); }
    const QList<PageCall> &calls() const { return m_calls; }

private:
    QList<PageCall> m_calls;
};

// The calls that a page needs to show again what the host had set, should it
// have to be loaded again. Attachments are withdrawn with the call that names
// them.
class ReplayLog
{
public:
    ReplayLog() = default;
    ~ReplayLog();

    void keep(const PageCall &call);
    void clear();
    const QList<PageCall> &calls() const { return m_calls.calls(); }

private:
    KeyedCalls m_calls;

    Q_DISABLE_COPY(ReplayLog)
};

} // namespace KzChartHost

#endif // KZCHARTREPLAYLOG_H
