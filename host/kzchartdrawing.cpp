#include "kzchartdrawing.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace KzChartHost {

namespace {

QString attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toString();
}

double number(const QXmlStreamAttributes &attributes, const char *name, double otherwise = 0)
{
    return attributes.hasAttribute(QLatin1String(name)) ? attributes.value(QLatin1String(name)).toDouble()
                                                         : otherwise;
}

// "matrix(a,b,c,d,e,f)", as the page writes transforms.
QTransform transformOf(const QString &text)
{
    static const QRegularExpression matrix(QStringLiteral("^matrix\\(([^)]*)\\)$"));
    const QStringList values = matrix.match(text).captured(1).split(QLatin1Char(','));
    if (values.size() != 6)
        return QTransform();
    return QTransform(values.at(0).toDouble(), values.at(1).toDouble(), values.at(2).toDouble(),
                      values.at(3).toDouble(), values.at(4).toDouble(), values.at(5).toDouble());
}

// The path data of a clip path as ECharts writes it (absolute M, L, Q, C
// and Z); empty for anything else, which then clips nothing.
QPainterPath pathOf(const QString &data)
{
    static const QRegularExpression token(QStringLiteral("[A-Za-z]|-?[0-9.]+(?:e[-+]?[0-9]+)?"));
    QPainterPath path;
    QChar command;
    QVector<double> values;
    for (auto it = token.globalMatch(data); it.hasNext();) {
        const QString text = it.next().captured();
        if (text.at(0).isLetter()) {
            command = text.at(0);
            if (command == QLatin1Char('Z'))
                path.closeSubpath();
            else if (QStringLiteral("MLQC").indexOf(command) < 0)
                return QPainterPath();
            continue;
        }
        values.append(text.toDouble());
        const int count = command == QLatin1Char('C') ? 6 : command == QLatin1Char('Q') ? 4 : 2;
        if (values.size() < count)
            continue;
        if (command == QLatin1Char('M'))
            path.moveTo(values[0], values[1]);
        else if (command == QLatin1Char('L'))
            path.lineTo(values[0], values[1]);
        else if (command == QLatin1Char('Q'))
            path.quadTo(values[0], values[1], values[2], values[3]);
        else
            path.cubicTo(values[0], values[1], values[2], values[3], values[4], values[5]);
        values.clear();
    }
    return path;
}

// "url(#id)" → "id".
QString referenceOf(const QString &clipPath)
{
    return clipPath.startsWith(QLatin1String("url(#")) ? clipPath.mid(5).chopped(1) : QString();
}

// A paint ("#rrggbb" or "none") with its own opacity and the element's.
QColor colorOf(const QXmlStreamAttributes &attributes, const char *paint, const char *opacity)
{
    QColor color(attribute(attributes, paint));
    if (color.isValid())
        color.setAlphaF(qBound(0.0, number(attributes, opacity, 1) * number(attributes, "opacity", 1), 1.0));
    return color;
}

QFont fontOf(const QXmlStreamAttributes &attributes)
{
    QStringList families;
    for (const QString &family : attribute(attributes, "font-family").split(QLatin1Char(',')))
        families.append(family.trimmed().remove(QLatin1Char('"')).remove(QLatin1Char('\'')));
    QFont font(families.value(0));
    font.setFamilies(families);
    // "12px": CSS pixels, the drawing's own units.
    font.setPixelSize(qMax(1, qRound(attribute(attributes, "font-size").remove(QStringLiteral("px")).toDouble())));
    const QString weight = attribute(attributes, "font-weight");
    font.setBold(weight == QLatin1String("bold") || weight == QLatin1String("bolder") || weight.toInt() >= 600);
    const QString style = attribute(attributes, "font-style");
    font.setItalic(style == QLatin1String("italic") || style == QLatin1String("oblique"));
    return font;
}

// The element that reader has just started, with everything in it, written
// without namespaces: the documents it goes into declare them.
QByteArray elementText(QXmlStreamReader &reader)
{
    QByteArray text;
    QXmlStreamWriter writer(&text);
    int depth = 0;
    do {
        if (reader.isStartElement()) {
            ++depth;
            writer.writeStartElement(reader.qualifiedName().toString());
            for (const QXmlStreamAttribute &given : reader.attributes())
                writer.writeAttribute(given.qualifiedName().toString(), given.value().toString());
        } else if (reader.isEndElement()) {
            --depth;
            writer.writeEndElement();
        } else if (reader.isCharacters()) {
            writer.writeCharacters(reader.text().toString());
        }
    } while (depth > 0 && !reader.atEnd() && (reader.readNext(), true));
    return text;
}

// The clip paths of <defs>, by id: the path in the user space of the element
// that refers to it, and the clip path that clips the clip path itself.
struct ClipPath
{
    QPainterPath path;
    QString parent;
};

QHash<QString, ClipPath> clipPathsOf(const QByteArray &defs)
{
    QHash<QString, ClipPath> clipPaths;
    QXmlStreamReader reader(defs);
    QString id;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("clipPath")) {
            id = attribute(attributes, "id");
            clipPaths[id].parent = referenceOf(attribute(attributes, "clip-path"));
        } else if (reader.name() == QLatin1String("path") && clipPaths.contains(id)) {
            clipPaths[id].path = transformOf(attribute(attributes, "transform")).map(pathOf(attribute(attributes, "d")));
        }
    }
    return clipPaths;
}

QPainterPath resolvedClip(const QHash<QString, ClipPath> &clipPaths, const QString &id, int depth = 0)
{
    const ClipPath clipPath = clipPaths.value(id);
    if (clipPath.parent.isEmpty() || depth > 8)
        return clipPath.path;
    return clipPath.path.intersected(resolvedClip(clipPaths, clipPath.parent, depth + 1));
}

} // namespace

ChartDrawing::ChartDrawing(const QByteArray &svg)
{
    QXmlStreamReader reader(svg);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("svg"))
        return;
    const QXmlStreamAttributes root = reader.attributes();
    const QSizeF size(number(root, "width"), number(root, "height"));
    QByteArray defs;
    // The clip of each run of shapes: its clip path, and the transform of its
    // elements, in whose user space the clip path lies.
    QList<QPair<QString, QTransform>> clips;
    while (reader.readNextStartElement()) {
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("defs")) {
            defs += elementText(reader);
            continue;
        }
        const bool isText = reader.name() == QLatin1String("text");
        const QString clip = referenceOf(attribute(attributes, "clip-path"));
        const QString transform = attribute(attributes, "transform");
        const QString key = isText ? QStringLiteral("text") : clip.isEmpty() ? QString() : clip + transform;
        if (m_runs.empty() || m_runs.back().key != key) {
            m_runs.emplace_back();
            m_runs.back().key = key;
            clips.append({clip, transformOf(transform)});
        }
        Run &run = m_runs.back();
        if (!isText) {
            run.shapes += elementText(reader);
            continue;
        }
        Text text;
        text.position = QPointF(number(attributes, "x"), number(attributes, "y"));
        const QString anchor = attribute(attributes, "text-anchor");
        text.anchor = anchor == QLatin1String("end") ? 1 : anchor == QLatin1String("middle") ? 0.5 : 0;
        text.transform = transformOf(transform);
        text.font = fontOf(attributes);
        text.fill = colorOf(attributes, "fill", "fill-opacity");
        text.stroke = colorOf(attributes, "stroke", "stroke-opacity");
        text.strokeWidth = number(attributes, "stroke-width", 1);
        text.text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        run.texts.append(text);
    }
    if (reader.hasError() || size.isEmpty()) {
        m_runs.clear();
        return;
    }
    m_size = size;
    const QHash<QString, ClipPath> clipPaths = clipPathsOf(defs);
    const QByteArray header = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                             "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" height=\"%2\">")
                                      .arg(size.width())
                                      .arg(size.height())
                                      .toUtf8();
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        Run &run = m_runs[i];
        if (run.key == QLatin1String("text"))
            continue;
        if (!clips.at(int(i)).first.isEmpty())
            run.clip = clips.at(int(i)).second.map(resolvedClip(clipPaths, clips.at(int(i)).first));
        run.renderer = std::make_unique<QSvgRenderer>(header + defs + run.shapes + "</svg>");
    }
}

ChartDrawing::~ChartDrawing() = default;

void ChartDrawing::render(QPainter *painter, const QRectF &target) const
{
    if (m_size.isEmpty())
        return;
    const QTransform document = QTransform::fromTranslate(target.x(), target.y())
                                        .scale(target.width() / m_size.width(), target.height() / m_size.height());
    const QTransform device = painter->worldTransform();
    for (const Run &run : m_runs) {
        painter->save();
        if (run.renderer) {
            if (!run.clip.isEmpty())
                painter->setClipPath(document.map(run.clip), Qt::IntersectClip);
            run.renderer->render(painter, target);
        }
        for (const Text &text : run.texts) {
            painter->setWorldTransform(text.transform * document * device);
            const QPointF start = text.position
                    - QPointF(text.anchor * QFontMetricsF(text.font).horizontalAdvance(text.text), 0);
            if (text.stroke.isValid()) {
                QPainterPath outline;
                outline.addText(start, text.font, text.text);
                painter->strokePath(outline, QPen(text.stroke, text.strokeWidth));
            }
            if (text.fill.isValid()) {
                painter->setFont(text.font);
                painter->setPen(text.fill);
                painter->drawText(start, text.text);
            }
        }
        painter->restore();
    }
}

} // namespace KzChartHost
