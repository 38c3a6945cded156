#include "kzchartexport.h"
#include "kzchartcore.h"
#include "kzchartdrawing.h"
#include "kzchartlogging.h"
#include "kzchartpage.h"
#include "kzchartwait.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QSaveFile>
#include <QWebEngineView>

#include <cmath>
#include <map>
#include <utility>

namespace KzChartHost {

namespace {

// A member of a chart widget as its warnings name it, "KzChartBar::saveImage":
// taken before a wait, after which the widget may be gone.
QByteArray memberName(const KzChartPrivate &d, const char *member)
{
    return QByteArray(d.q->metaObject()->className()) + "::" + member;
}

void warn(const QByteArray &member, const QString &what)
{
    qCWarning(lcChart, "%s: %s", member.constData(), qPrintable(what));
}

qreal checkedPixelRatio(const QByteArray &member, qreal pixelRatio)
{
    if (pixelRatio >= 1 && pixelRatio <= 4)
        return pixelRatio;
    const qreal used = std::isnan(pixelRatio) ? 1 : qBound<qreal>(1, pixelRatio, 4);
    warn(member, QStringLiteral("the pixel ratio %1 is outside 1 to 4; %2 is used").arg(pixelRatio).arg(used));
    return used;
}

// A call of the page's export function with the size of the view (see
// exportSize() in export.js): the widget's, which the page's own follows
// only once it is shown and has caught up, or, for a hidden widget that
// nothing has sized, one that fits a document page.
QString exportCall(const char *function, const KzChartPrivate &d, const QString &firstArguments = QString())
{
    const QSize view = d.q->isVisible() || d.q->testAttribute(Qt::WA_Resized) ? d.q->size() : QSize(800, 600);
    return QStringLiteral("%1(%2%3, %4)")
            .arg(QLatin1String(function), firstArguments)
            .arg(view.width())
            .arg(view.height());
}

QString imageCall(const KzChartPrivate &d, qreal pixelRatio)
{
    return exportCall("exportImage", d, QString::number(pixelRatio) + QStringLiteral(", "));
}

QImage imageFromAnswer(const QVariant &answer, qreal pixelRatio)
{
    static const QLatin1String prefix("data:image/png;base64,");
    const QString url = answer.toString();
    QImage image;
    if (url.startsWith(prefix))
        image.loadFromData(QByteArray::fromBase64(QStringView(url).mid(prefix.size()).toLatin1()), "PNG");
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

// Asks the page and waits for the answer; null when the wait ended early.
QVariant answerOf(KzChartPrivate &d, const QString &expression)
{
    QVariant result;
    ChartWait wait(d.view);
    const QPointer<QObject> waiting(wait.context());
    d.page->ask(expression, [&result, &wait, waiting](const QVariant &answer) {
        if (!waiting)
            return;
        result = answer;
        wait.finish();
    });
    wait.exec();
    return result;
}

// Writes fileName as a whole: an existing file is replaced only once
// everything has been written.
bool writeFile(const QByteArray &member, const QString &fileName, const std::function<bool(QIODevice *)> &write)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && write(&file) && file.commit())
        return true;
    warn(member, QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()));
    return false;
}

// Whether the page drew the chart; warns when it did not.
bool drawn(const QByteArray &member, bool answered)
{
    if (answered)
        return true;
    warn(member, QStringLiteral("the chart could not be drawn: it was deleted or its page did not answer"));
    return false;
}

// One page of the drawing's aspect, the drawing filling it: the chart area
// at 96 dots per inch.
bool writePdf(QIODevice *device, const ChartDrawing &drawing)
{
    QPdfWriter writer(device);
    writer.setPageSize(QPageSize(drawing.size() * 72.0 / 96.0, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    drawing.render(&painter, QRectF(0, 0, writer.width(), writer.height()));
    return painter.end();
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvNumber(double value)
{
    if (!std::isfinite(value))
        return QString();
    JsonWriter writer;
    writer.writeNumber(value);
    return writer.text();
}

// Row keys in ascending order, keys that are not numbers last: a key and how
// many rows of the same key come before it.
using RowKey = std::pair<double, int>;

struct RowKeyLess
{
    static bool less(double a, double b) { return !std::isnan(a) && (std::isnan(b) || a < b); }
    bool operator()(const RowKey &a, const RowKey &b) const
    {
        return less(a.first, b.first) || (!less(b.first, a.first) && a.second < b.second);
    }
};

} // namespace

void grabImage(KzChartPrivate &d, qreal pixelRatio, std::function<void(const QImage &)> done)
{
    const qreal ratio = checkedPixelRatio(memberName(d, "grabImage"), pixelRatio);
    d.page->ask(imageCall(d, ratio), [ratio, done = std::move(done)](const QVariant &answer) {
        if (done)
            done(imageFromAnswer(answer, ratio));
    });
}

QImage toImage(KzChartPrivate &d, qreal pixelRatio)
{
    const qreal ratio = checkedPixelRatio(memberName(d, "toImage"), pixelRatio);
    return imageFromAnswer(answerOf(d, imageCall(d, ratio)), ratio);
}

QByteArray toSvg(KzChartPrivate &d)
{
    return answerOf(d, exportCall("exportSvg", d)).toString().toUtf8();
}

bool saveImage(KzChartPrivate &d, const QString &fileName, qreal pixelRatio)
{
    const QByteArray member = memberName(d, "saveImage");
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        const QImage image = toImage(d, checkedPixelRatio(member, pixelRatio));
        const char *format = suffix == QLatin1String("png") ? "PNG" : "JPEG";
        return drawn(member, !image.isNull())
                && writeFile(member, fileName, [&](QIODevice *file) { return image.save(file, format); });
    }
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("pdf")) {
        const QByteArray svg = toSvg(d);
        if (suffix == QLatin1String("svg")) {
            return drawn(member, !svg.isEmpty())
                    && writeFile(member, fileName, [&](QIODevice *file) { return file->write(svg) == svg.size(); });
        }
        const ChartDrawing drawing(svg);
        return drawn(member, !drawing.size().isEmpty())
                && writeFile(member, fileName, [&](QIODevice *file) { return writePdf(file, drawing); });
    }
    warn(member, QStringLiteral("cannot tell the format of %1: its suffix is none of png, jpg, jpeg, svg and pdf")
                         .arg(fileName));
    return false;
}

void print(KzChartPrivate &d, QPrinter *printer)
{
    const QByteArray member = memberName(d, "print");
    if (!printer)
        return warn(member, QStringLiteral("no printer given"));
    const ChartDrawing drawing(toSvg(d));
    if (!drawn(member, !drawing.size().isEmpty()))
        return;
    QPainter painter;
    if (!painter.begin(printer))
        return warn(member, QStringLiteral("cannot print on the printer given"));
    // As large as the page takes it, at the top and centred across.
    const QSizeF page(printer->width(), printer->height());
    const QSizeF size = drawing.size().scaled(page, Qt::KeepAspectRatio);
    drawing.render(&painter, QRectF(QPointF((page.width() - size.width()) / 2, 0), size));
}

void copyToClipboard(KzChartPrivate &d)
{
    const QPointer<QWidget> alive(d.q);
    const QImage image = toImage(d, qBound<qreal>(1, d.q->devicePixelRatioF(), 4));
    if (!alive)
        return;
    const QByteArray svg = toSvg(d);
    if (image.isNull() || svg.isEmpty())
        return;
    auto *mime = new QMimeData;
    mime->setImageData(image);
    mime->setData(QStringLiteral("image/svg+xml"), svg);
    QGuiApplication::clipboard()->setMimeData(mime);
}

QString toCsv(const ChartData &data)
{
    if (data.series.isEmpty() && data.categories.isEmpty())
        return QString();
    // Each row's field per series; NaN where the series has none.
    std::map<RowKey, QVector<double>, RowKeyLess> rows;
    const int columns = data.series.size();
    for (int i = 0; i < data.categories.size(); ++i)
        rows.try_emplace(RowKey(i, 0), columns, qQNaN());
    for (int column = 0; column < columns; ++column) {
        const SeriesData &series = data.series.at(column);
        std::map<double, int, bool (*)(double, double)> seen(RowKeyLess::less);
        for (int i = 0; i < series.ys.size(); ++i) {
            const double key = series.xs.isEmpty() ? i : series.xs.value(i, qQNaN());
            auto row = rows.try_emplace(RowKey(key, seen[key]++), columns, qQNaN()).first;
            row->second[column] = series.ys.at(i);
        }
    }

    QString csv;
    for (const SeriesData &series : data.series)
        csv += QLatin1Char(',') + csvField(series.name);
    csv += QLatin1String("\r\n");
    for (const auto &row : rows) {
        const double key = row.first.first;
        const bool category = key >= 0 && key < data.categories.size() && key == std::floor(key);
        csv += category ? csvField(data.categories.at(int(key))) : csvNumber(key);
        for (double value : row.second)
            csv += QLatin1Char(',') + csvNumber(value);
        csv += QLatin1String("\r\n");
    }
    return csv;
}

bool saveCsv(const KzChartPrivate &d, const QString &fileName)
{
    const QByteArray csv = "\xEF\xBB\xBF" + toCsv(d.data).toUtf8();
    return writeFile(memberName(d, "saveCsv"), fileName,
                     [&](QIODevice *file) { return file->write(csv) == csv.size(); });
}

} // namespace KzChartHost
