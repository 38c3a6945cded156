#include "kzchartlive.h"
#include "kzchartcore.h"
#include "kzchartjsonwriter.h"
#include "kzchartpage.h"

#include <cmath>

namespace KzChartHost {

namespace {

const char appendSetter[] = "appendDatas";

// The last count items of list, or all when it holds fewer.
template <typename List>
List newest(const List &list, qint64 count)
{
    return list.mid(int(qMax<qint64>(0, list.size() - count)));
}

void writeNumbers(JsonWriter &writer, const QVector<double> &values)
{
    writer.writeArray(values, [](JsonWriter &w, double value) { w.writeNumber(value); });
}

template <typename List>
void dropOldest(List &list, int count)
{
    list.erase(list.begin(), list.begin() + qMin(count, int(list.size())));
}

} // namespace

void LiveData::refuse(const QString &why) const
{
    m_chart->warn(appendSetter, why + QStringLiteral("; the append is refused and the chart stays as it was"));
}

bool LiveData::hasNumericAxis() const
{
    if (!m_chart->data.categories.isEmpty())
        return false;
    for (const SeriesData &series : m_chart->data.series) {
        if (!series.xs.isEmpty())
            return true;
    }
    return false;
}

void LiveData::appendCategories(const QStringList &labels, const QList<QList<double>> &values, bool pointsOnLabels)
{
    ChartData &data = m_chart->data;
    if (hasNumericAxis())
        return refuse(QStringLiteral("the x axis is numeric: append (x, y) points"));
    if (values.size() != data.series.size()) {
        return refuse(QStringLiteral("%1 rows of values for the %2 series on the chart")
                              .arg(values.size())
                              .arg(data.series.size()));
    }
    for (const QList<double> &row : values) {
        if (row.size() != labels.size())
            return refuse(QStringLiteral("a row of %1 values for %2 new labels").arg(row.size()).arg(labels.size()));
    }
    // Values belong to the labels by position: each series first ends at the
    // last label, with gaps where it had no value.
    const int end = data.categories.size();
    for (int i = 0; i < values.size(); ++i) {
        SeriesData &series = data.series[i];
        if (!series.xs.isEmpty() || (pointsOnLabels && series.ys.isEmpty())) {
            while (!series.xs.isEmpty() && series.xs.last() >= end) {
                series.xs.removeLast();
                series.ys.removeLast();
            }
            for (int j = 0; j < labels.size(); ++j)
                series.xs.append(end + j);
        } else {
            const int had = series.ys.size();
            series.ys.resize(end);
            for (int j = had; j < end; ++j)
                series.ys[j] = std::nan("");
        }
        for (double value : values.at(i))
            series.ys.append(value);
    }
    data.categories += labels;
    m_appendedLabels += labels.size();
    m_appended.resize(data.series.size());
    for (qint64 &count : m_appended)
        count += labels.size();
    trim();
    send();
}

void LiveData::appendRows(const QList<Points> &rows)
{
    if (rows.size() != m_chart->data.series.size()) {
        return refuse(QStringLiteral("%1 rows of points for the %2 series on the chart")
                              .arg(rows.size())
                              .arg(m_chart->data.series.size()));
    }
    QList<int> indexes;
    for (int i = 0; i < rows.size(); ++i)
        indexes.append(i);
    appendPoints(indexes, rows);
}

void LiveData::appendNamed(const QMap<QString, Points> &points)
{
    QList<int> indexes;
    for (auto it = points.begin(); it != points.end(); ++it) {
        int index = int(m_chart->data.series.size()) - 1;
        while (index >= 0 && m_chart->data.series.at(index).name != it.key())
            --index;
        if (index < 0)
            return refuse(QStringLiteral("no series on the chart is named %1").arg(it.key()));
        indexes.append(index);
    }
    appendPoints(indexes, points.values());
}

void LiveData::appendPoints(const QList<int> &indexes, const QList<Points> &points)
{
    ChartData &data = m_chart->data;
    if (!data.categories.isEmpty())
        return refuse(QStringLiteral("the x axis holds labels: append labels and values"));
    for (int k = 0; k < indexes.size(); ++k) {
        const SeriesData &series = data.series.at(indexes.at(k));
        double last = series.ys.isEmpty() ? -qInf() : series.xs.isEmpty() ? series.ys.size() - 1 : series.xs.last();
        for (const auto &point : points.at(k)) {
            if (!std::isfinite(point.first))
                return refuse(QStringLiteral("an x of %1 in %2").arg(point.first).arg(series.name));
            if (point.first < last) {
                return refuse(QStringLiteral("x %1 after %2 in %3 goes back").arg(point.first).arg(last)
                                      .arg(series.name));
            }
            last = point.first;
        }
    }
    m_appended.resize(data.series.size());
    for (int k = 0; k < indexes.size(); ++k) {
        SeriesData &series = data.series[indexes.at(k)];
        // Plain values on a numeric axis lie at their indexes.
        for (int j = series.xs.size(); j < series.ys.size(); ++j)
            series.xs.append(j);
        for (const auto &point : points.at(k)) {
            series.xs.append(point.first);
            series.ys.append(point.second);
        }
        m_appended[indexes.at(k)] += points.at(k).size();
    }
    trim();
    send();
}

bool LiveData::trim()
{
    if (m_retention <= 0)
        return false;
    ChartData &data = m_chart->data;
    bool trimmed = false;
    if (!data.categories.isEmpty()) {
        // The oldest labels go with the values on them; points on labels
        // move to the labels' new indexes.
        const int drop = data.categories.size() - m_retention;
        if (drop <= 0)
            return false;
        dropOldest(data.categories, drop);
        for (SeriesData &series : data.series) {
            if (series.xs.isEmpty()) {
                dropOldest(series.ys, drop);
                continue;
            }
            int kept = 0;
            for (int j = 0; j < series.xs.size(); ++j) {
                if (series.xs.at(j) < drop)
                    continue;
                series.xs[kept] = series.xs.at(j) - drop;
                series.ys[kept++] = series.ys.at(j);
            }
            series.xs.resize(kept);
            series.ys.resize(kept);
        }
        return true;
    }
    for (SeriesData &series : data.series) {
        const int drop = series.ys.size() - m_retention;
        if (drop <= 0)
            continue;
        if (!series.xs.isEmpty())
            dropOldest(series.xs, drop);
        dropOldest(series.ys, drop);
        trimmed = true;
    }
    return trimmed;
}

void LiveData::setRetention(int maxPoints)
{
    m_retention = qMax(0, maxPoints);
    if (trim())
        send();
}

bool LiveData::setFollowing(bool following)
{
    if (following == m_following)
        return false;
    m_following = following;
    m_chart->page->runWritten(QStringLiteral("setFollowing"), [this] {
        return m_following ? QStringLiteral("setFollowing(true)") : QStringLiteral("setFollowing(false)");
    });
    return true;
}

void LiveData::dataSet(int seriesCount, bool labels)
{
    m_appended.resize(m_chart->data.series.size());
    m_sent.resize(m_appended.size());
    for (int i = 0; i < qMin(seriesCount, int(m_appended.size())); ++i)
        m_appended[i] = m_sent[i] = 0;
    if (labels)
        m_appendedLabels = m_sentLabels = 0;
}

void LiveData::send()
{
    m_chart->page->runWritten(QStringLiteral("appendLiveData"), [this] { return write(); });
}

QString LiveData::write()
{
    const ChartData &data = m_chart->data;
    m_appended.resize(data.series.size());
    m_sent.resize(data.series.size());
    // A page loaded anew has what the setters' calls carry, and nothing
    // appended.
    if (m_sentLoad != m_chart->page->loads()) {
        m_sentLoad = m_chart->page->loads();
        m_sent.fill(0);
        m_sentLabels = 0;
    }
    JsonWriter writer;
    writer.writeRaw(QLatin1String("appendLiveData({"));
    const bool labels = !data.categories.isEmpty() || m_appendedLabels > 0;
    if (labels) {
        writer.writeRaw(QLatin1String("\"labels\":"));
        writer.writeStrings(newest(data.categories, m_appendedLabels - m_sentLabels));
        writer.writeRaw(QLatin1String(",\"keepLabels\":"));
        writer.writeNumber(int(data.categories.size()));
        writer.writeRaw(QLatin1String(","));
        m_sentLabels = m_appendedLabels;
    }
    writer.writeRaw(QLatin1String("\"series\":["));
    for (int i = 0; i < data.series.size(); ++i) {
        const SeriesData &series = data.series.at(i);
        const qint64 unsent = m_appended.at(i) - m_sent.at(i);
        m_sent[i] = m_appended.at(i);
        writer.writeRaw(QLatin1String(i ? ",{" : "{"));
        if (!labels) {
            writer.writeRaw(QLatin1String("\"x\":"));
            writeNumbers(writer, newest(series.xs, unsent));
            writer.writeRaw(QLatin1String(","));
        }
        writer.writeRaw(QLatin1String("\"y\":"));
        writeNumbers(writer, newest(series.ys, unsent));
        writer.writeRaw(QLatin1String(",\"keep\":"));
        writer.writeNumber(int(series.ys.size()));
        writer.writeRaw(QLatin1String("}"));
    }
    writer.writeRaw(QLatin1String("]})"));
    return writer.text();
}

} // namespace KzChartHost
