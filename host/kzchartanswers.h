#ifndef KZCHARTANSWERS_H
#define KZCHARTANSWERS_H

#include <QHash>
#include <QObject>
#include <QVariant>

#include <functional>

namespace KzChartHost {

// What a chart page answers to the host's questions (ChartPage::ask()). The
// page hands each answer to answer() over the web channel, where this object
// is published as "chartPage". Every answer reaches its receiver once, after
// the event that brought it, never from within the page's call: the receiver
// may then wait for pages, delete the chart or quit. A question that the page
// can no longer answer gets a null QVariant instead.
class PageAnswers : public QObject
{
    Q_OBJECT

public:
    using Receiver = std::function<void(const QVariant &)>;

    explicit PageAnswers(QObject *parent);
    // Gives up the open questions.
    ~PageAnswers() override;

    // Opens a question whose answer goes to receiver; returns its id.
    int open(Receiver receiver);
    // Gives up one question or all open ones: they get a null answer.
    void giveUp(int id);
    void giveUpAll();

public Q_SLOTS:
    // The page's answer to question id; an answer to a question given up is
    // dropped.
    void answer(int id, const QVariant &value);

private:
    QHash<int, Receiver> m_open;
    int m_lastId = 0;
};

} // namespace KzChartHost

#endif // KZCHARTANSWERS_H
