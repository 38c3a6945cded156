#ifndef KZCHARTEXPORT_H
#define KZCHARTEXPORT_H

#include "kzchartcore.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QPrinter;
QT_END_NAMESPACE

// The exports that every chart widget has; its members of the same names
// forward here. Pictures and drawings come from the page (export.js): it
// draws the chart again in a copy that nobody sees, at the size of the chart
// area, or for a view that was never shown at the size the widget would give
// it. The PDF, the print and the clipboard's vector drawing are that SVG,
// drawn by Qt SVG. The CSV is the data the host gave, not what the page
// shows.
namespace KzChartHost {

struct ChartData;

void grabImage(KzChartPrivate &d, qreal pixelRatio, std::function<void(const QImage &)> done);
// These wait for the page as the constructor does (ChartWait); d may be gone
// when they return.
QImage toImage(KzChartPrivate &d, qreal pixelRatio);
QByteArray toSvg(KzChartPrivate &d);
bool saveImage(KzChartPrivate &d, const QString &fileName, qreal pixelRatio);
void print(KzChartPrivate &d, QPrinter *printer);
void copyToClipboard(KzChartPrivate &d);

// data as RFC 4180 text. Rows: one per key, ascending, where a key is a
// category index (a value's index over categories, a pie's slice) or an x
// value; every key that a series has, and every category, has a row, and a
// key that a series has n times has n rows. The first column is the
// category label where the key names a category and the key otherwise; one
// column per series follows, named after it, empty where the series has no
// value or the value is not a finite number. The header's first field is
// empty. Numbers are written as the page gets them ("." as the decimal
// point, shortest form).
QString toCsv(const ChartData &data);
// The CSV in UTF-8 with a byte order mark, by which spreadsheet programs
// tell UTF-8 from the system's code page.
bool saveCsv(const KzChartPrivate &d, const QString &fileName);

} // namespace KzChartHost

// The export members of a chart widget, defined once for all six.
#define KZCHART_DEFINE_EXPORTS(Class)                                                                     \
    void Class::grabImage(qreal pixelRatio, std::function<void(const QImage &)> done)                     \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(grabImage(pixelRatio, done));                                               \
        KzChartHost::grabImage(*d, pixelRatio, std::move(done));                                          \
    }                                                                                                     \
    QImage Class::toImage(qreal pixelRatio)                                                               \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(toImage(pixelRatio));                                              \
        return KzChartHost::toImage(*d, pixelRatio);                                                      \
    }                                                                                                     \
    QByteArray Class::toSvg()                                                                             \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(toSvg());                                                          \
        return KzChartHost::toSvg(*d);                                                                    \
    }                                                                                                     \
    bool Class::saveImage(const QString &fileName, qreal pixelRatio)                                      \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(saveImage(fileName, pixelRatio));                                  \
        return KzChartHost::saveImage(*d, fileName, pixelRatio);                                          \
    }                                                                                                     \
    void Class::print(QPrinter *printer)                                                                  \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(print(printer));                                                            \
        KzChartHost::print(*d, printer);                                                                  \
    }                                                                                                     \
    void Class::copyToClipboard()                                                                         \
    {                                                                                                     \
        KZCHART_ON_OWN_THREAD(copyToClipboard());                                                         \
        KzChartHost::copyToClipboard(*d);                                                                 \
    }                                                                                                     \
    QString Class::toCsv() const                                                                          \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(toCsv());                                                          \
        return KzChartHost::toCsv(d->data);                                                               \
    }                                                                                                     \
    bool Class::saveCsv(const QString &fileName) const                                                    \
    {                                                                                                     \
        KZCHART_RETURN_FROM_OWN_THREAD(saveCsv(fileName));                                                \
        return KzChartHost::saveCsv(*d, fileName);                                                        \
    }

#endif // KZCHARTEXPORT_H
