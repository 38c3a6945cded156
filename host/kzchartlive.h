#ifndef KZCHARTLIVE_H
#define KZCHARTLIVE_H

#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>
#include <QVector>

class KzChartPrivate;

namespace KzChartHost {

// Live data on the line charts: samples appended to the series that a chart
// holds, a retention that bounds them, and whether the view follows the
// newest sample.
//
// An append is checked as a whole, recorded in the chart's data (where the
// retention is applied too) and then reaches the page as one written call
// ("appendLiveData", see ChartPage::runWritten()): the call takes, when it
// leaves, every sample that the page has not got yet, so that appends made
// while the page is busy merge into one call, and a page loaded anew gets
// the retained samples once. The samples that a setter's own call carries
// are not sent again: the setter tells dataSet() what its call holds.
//
// The page draws an append without rebuilding the chart (live.js): zoom
// windows, legend selection, tooltips and everything else that setters set
// stay. Each call names, for every series, how many samples it keeps after
// the append, so that the page drops exactly what the host dropped.
class LiveData
{
public:
    using Points = QList<QPair<double, double>>;

    explicit LiveData(KzChartPrivate *chart) : m_chart(chart) {}

    // Appends labels to the category axis and values[i] to series i, one
    // value per label. A series that holds points (x the label's index)
    // takes points; one that holds values takes values, with gaps up to the
    // new labels; an empty one takes points when pointsOnLabels (the
    // monitoring chart's form).
    void appendCategories(const QStringList &labels, const QList<QList<double>> &values, bool pointsOnLabels);
    // Appends rows[i] to series i of a numeric x axis.
    void appendRows(const QList<Points> &rows);
    // Appends each entry's points to the series of its name.
    void appendNamed(const QMap<QString, Points> &points);

    void setRetention(int maxPoints);
    int retention() const { return m_retention; }
    // True when the state changed.
    bool setFollowing(bool following);
    bool isFollowing() const { return m_following; }

    // A setter has sent series [0, seriesCount) and, when labels, the
    // category labels whole: the page has them from its call.
    void dataSet(int seriesCount, bool labels);

private:
    void refuse(const QString &why) const;
    bool hasNumericAxis() const;
    // Appends points[k] to series indexes[k] of a numeric x axis.
    void appendPoints(const QList<int> &indexes, const QList<Points> &points);
    // Drops what the retention does not keep; true when anything went.
    bool trim();
    void send();
    // The page call with what the page lacks.
    QString write();

    KzChartPrivate *const m_chart;
    int m_retention = 0;
    bool m_following = true;
    // Samples (labels) appended since the setter that last sent the series
    // (labels), and how many of those the page has; the unsent ones are the
    // newest. Counted for the page load of m_sentLoad.
    QVector<qint64> m_appended;
    QVector<qint64> m_sent;
    qint64 m_appendedLabels = 0;
    qint64 m_sentLabels = 0;
    int m_sentLoad = 0;
};

} // namespace KzChartHost

// The retention and following members of a chart with live data, whose
// private class holds a LiveData named live. changedFollowing() is the relay
// slot through which the page reports the user leaving or joining the newest
// sample.
#define KZCHART_DEFINE_LIVE(Class)                                                                        \
    void Class::setRetention(int maxPoints)                                                               \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setRetention(maxPoints));                                                   \
        d->live.setRetention(maxPoints);                                                                  \
    }                                                                                                     \
    int Class::retention() const                                                                          \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(retention());                                                      \
        return d->live.retention();                                                                       \
    }                                                                                                     \
    void Class::setFollowing(bool following)                                                              \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(setFollowing(following));                                                   \
        changedFollowing(following);                                                                      \
    }                                                                                                     \
    bool Class::isFollowing() const                                                                       \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(isFollowing());                                                    \
        return d->live.isFollowing();                                                                     \
    }                                                                                                     \
    void Class::changedFollowing(bool following)                                                          \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(changedFollowing(following));                                               \
        if (d->live.setFollowing(following))                                                              \
            d->relay([=] { emit followingChanged(following); });                                          \
    }

#endif // KZCHARTLIVE_H
