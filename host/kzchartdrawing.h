#ifndef KZCHARTDRAWING_H
#define KZCHARTDRAWING_H

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QSizeF>
#include <QSvgRenderer>
#include <QTransform>

#include <memory>
#include <vector>

namespace KzChartHost {

// A chart's SVG drawing (export.js) as QPainter draws it onto PDF pages and
// printers. Qt SVG draws the shapes, with two shortcomings made up for here:
// it ignores clip paths (lines in a zoom window would run past the plot
// area), and it draws texts as outlines, which a PDF holds as pictures of
// letters that no reader can search or copy. So the drawing goes in runs,
// in the document's order: shapes that share a clip are drawn by Qt SVG
// with QPainter's clip set to it, texts by QPainter as text. The page
// writes every element of the drawing as a child of the root (<defs>
// aside) and every text as one <text> with a plain position, transform,
// font and colours; that is all that is read.
class ChartDrawing
{
public:
    explicit ChartDrawing(const QByteArray &svg);
    ~ChartDrawing();

    // The chart area's size in CSS pixels; empty for a drawing that cannot
    // be read.
    QSizeF size() const { return m_size; }
    // Fills target with the drawing.
    void render(QPainter *painter, const QRectF &target) const;

private:
    struct Text
    {
        QString text;
        QPointF position;
        // The share of the text's width left of position: 0, 0.5 or 1.
        qreal anchor = 0;
        QTransform transform;
        QFont font;
        QColor fill;
        QColor stroke;
        qreal strokeWidth = 1;
    };
    // Shapes in a clip (none: empty) or texts.
    struct Run
    {
        QString key;
        QPainterPath clip;
        QByteArray shapes;
        std::unique_ptr<QSvgRenderer> renderer;
        QList<Text> texts;
    };

    QSizeF m_size;
    std::vector<Run> m_runs;
};

} // namespace KzChartHost

#endif // KZCHARTDRAWING_H
