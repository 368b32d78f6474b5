// Glyphs of states and marks: info, error, tick, cross, bin, clock, counters.
#include "ui/artwork/glyph_painters.h"
#include "ui/artwork/paint_helpers.h"

#include <QtMath>

namespace kestrin::artwork::glyphs {

void paintInfo(QPainter& painter)
{
    QPainterPath disc;
    disc.addEllipse(QPointF(8.0, 8.0), 7.0, 7.0);
    fillOutlined(painter, disc, palette::blue);
    // Drawn as shapes, not as a letter, so no font is needed.
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::white);
    painter.drawEllipse(QPointF(8.0, 4.6), 1.3, 1.3);
    painter.drawRect(QRectF(7.0, 6.8, 2.0, 5.4));
    painter.drawRect(QRectF(6.0, 11.0, 4.0, 1.2));
}

void paintDeleted(QPainter& painter)
{
    QPainterPath cross;
    cross.moveTo(3.5, 3.5);
    cross.lineTo(12.5, 12.5);
    cross.moveTo(12.5, 3.5);
    cross.lineTo(3.5, 12.5);
    strokeOutlined(painter, cross, palette::red, 2.6);
}

void paintError(QPainter& painter)
{
    QPainterPath triangle;
    triangle.moveTo(8.0, 1.0);
    triangle.lineTo(15.2, 14.5);
    triangle.lineTo(0.8, 14.5);
    triangle.closeSubpath();
    fillOutlined(painter, triangle, palette::amber);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::ink);
    QPainterPath bar;
    bar.moveTo(7.0, 5.2);
    bar.lineTo(9.0, 5.2);
    bar.lineTo(8.6, 10.2);
    bar.lineTo(7.4, 10.2);
    bar.closeSubpath();
    painter.drawPath(bar);
    painter.drawEllipse(QPointF(8.0, 12.2), 1.1, 1.1);
}

void paintChecked(QPainter& painter)
{
    drawTick(painter, QRectF(2.5, 3.0, 11.0, 9.5), palette::green, 2.6);
}

void paintMarkedForDeletion(QPainter& painter)
{
    QPainterPath bin;
    bin.moveTo(3.5, 5.5);
    bin.lineTo(12.5, 5.5);
    bin.lineTo(11.5, 15.0);
    bin.lineTo(4.5, 15.0);
    bin.closeSubpath();
    fillOutlined(painter, bin, palette::grey);
    painter.setPen(QPen(palette::grey.edge, 0.9));
    for (qreal x : {6.5, 8.0, 9.5}) {
        painter.drawLine(QPointF(x, 7.5), QPointF(x, 13.0));
    }
    // A red lid: this bin is about to be emptied.
    QPainterPath lid;
    lid.addRect(QRectF(2.0, 3.0, 12.0, 2.5));
    fillOutlined(painter, lid, palette::red);
    QPainterPath grip;
    grip.addRect(QRectF(6.0, 1.0, 4.0, 2.0));
    fillOutlined(painter, grip, palette::red);
}

void paintDate(QPainter& painter)
{
    QPainterPath face;
    face.addEllipse(QPointF(8.0, 8.0), 7.0, 7.0);
    fillOutlined(painter, face, Tone{palette::paper.fill, palette::blue.edge});
    painter.setPen(QPen(palette::blue.fill, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(8.0, 8.0), 6.2, 6.2);
    painter.setPen(QPen(palette::ink, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8.0, 8.0), QPointF(8.0, 3.6));
    painter.drawLine(QPointF(8.0, 8.0), QPointF(11.4, 9.6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::blue.edge);
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal angle = qDegreesToRadians(30.0 * hour);
        painter.drawEllipse(QPointF(8.0 + 5.4 * qSin(angle), 8.0 - 5.4 * qCos(angle)), 0.7, 0.7);
    }
}

void paintResetStatistics(QPainter& painter)
{
    const QPointF centre(8.0, 8.5);
    const qreal radius = 5.2;
    const qreal startDegrees = 70.0;
    QPainterPath arc;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2.0 * radius, 2.0 * radius);
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, 275.0);
    strokeOutlined(painter, arc, palette::blue, 2.0);
    // The head sits where the arc starts and points clockwise, across the gap.
    const qreal angle = qDegreesToRadians(startDegrees);
    const QPointF onCircle(centre.x() + radius * qCos(angle), centre.y() - radius * qSin(angle));
    const QPointF along(qSin(angle), qCos(angle));
    const QPointF outward(qCos(angle), -qSin(angle));
    QPainterPath head;
    head.moveTo(onCircle + 3.4 * along);
    head.lineTo(onCircle - 0.6 * along + 3.2 * outward);
    head.lineTo(onCircle - 0.6 * along - 3.2 * outward);
    head.closeSubpath();
    fillOutlined(painter, head, palette::blue);
}

void paintStatistics(QPainter& painter)
{
    fillOutlined(painter, QRectF(1.5, 8.5, 3.0, 6.0), palette::green);
    fillOutlined(painter, QRectF(6.5, 3.5, 3.0, 11.0), palette::blue);
    fillOutlined(painter, QRectF(11.5, 6.5, 3.0, 8.0), palette::red);
    painter.setPen(QPen(palette::ink, 1.0));
    painter.drawLine(QPointF(0.5, 15.5), QPointF(15.5, 15.5));
}

void paintSettings(QPainter& painter)
{
    const QPointF centre(8.0, 8.0);
    const int teeth = 8;
    QPainterPath gear;
    for (int step = 0; step < teeth * 4; ++step) {
        // Each tooth: two points on the outer radius, two on the root radius.
        const bool outer = (step % 4) == 1 || (step % 4) == 2;
        const qreal radius = outer ? 7.3 : 5.4;
        const qreal angle = qDegreesToRadians(360.0 * (step - 0.5) / (teeth * 4));
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (step == 0) {
            gear.moveTo(point);
        } else {
            gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 2.4, 2.4);
    gear.setFillRule(Qt::OddEvenFill);
    fillOutlined(painter, gear, palette::grey);
}

} // namespace kestrin::artwork::glyphs
