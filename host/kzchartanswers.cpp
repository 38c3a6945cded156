#include "kzchartanswers.h"

#include <QCoreApplication>
#include <QTimer>

namespace KzChartHost {

namespace {

// After the current event, and whatever becomes of the page meanwhile.
void deliver(const PageAnswers::Receiver &receiver, const QVariant &value)
{
    QTimer::singleShot(0, QCoreApplication::instance(), [receiver, value] { receiver(value); });
}

} // namespace

PageAnswers::PageAnswers(QObject *parent)
    : QObject(parent)
{
}

PageAnswers::~PageAnswers()
{
    giveUpAll();
}

int PageAnswers::open(Receiver receiver)
{
    m_open.insert(++m_lastId, std::move(receiver));
    return m_lastId;
}

void PageAnswers::giveUp(int id)
{
    answer(id, QVariant());
}

void PageAnswers::giveUpAll()
{
    for (const Receiver &receiver : qAsConst(m_open))
        deliver(receiver, QVariant());
    m_open.clear();
}

void PageAnswers::answer(int id, const QVariant &value)
{
    const auto it = m_open.find(id);
    if (it == m_open.end())
        return;
    deliver(it.value(), value);
    m_open.erase(it);
}

} // namespace KzChartHost
