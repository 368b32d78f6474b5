#include "ui/artwork/paint_helpers.h"

#include <QPen>

namespace kestrin::artwork {

namespace {

// A 1-pixel outline whatever scale the painter is at, so shapes drawn into a
// smaller box keep the same crisp edge as the full-size ones.
QPen edgePen(const QColor& colour)
{
    QPen pen(colour, 1.0);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// Maps the 16 x 16 design grid onto box for the duration of one shape.
class GridScope {
public:
    GridScope(QPainter& painter, const QRectF& box) : painter_(painter)
    {
        painter_.save();
        painter_.translate(box.topLeft());
        painter_.scale(box.width() / 16.0, box.height() / 16.0);
    }
    ~GridScope() { painter_.restore(); }
    GridScope(const GridScope&) = delete;
    GridScope& operator=(const GridScope&) = delete;

private:
    QPainter& painter_;
};

} // namespace

QImage transparentImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void beginPainting(QPainter& painter, QImage& image)
{
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void fillOutlined(QPainter& painter, const QPainterPath& path, const Tone& tone)
{
    painter.setPen(edgePen(tone.edge));
    painter.setBrush(tone.fill);
    painter.drawPath(path);
}

void fillOutlined(QPainter& painter, const QRectF& rect, const Tone& tone)
{
    QPainterPath path;
    path.addRect(rect);
    fillOutlined(painter, path, tone);
}

void strokeOutlined(QPainter& painter, const QPainterPath& path, const Tone& tone, qreal width)
{
    painter.setBrush(Qt::NoBrush);
    QPen outer(tone.edge, width + 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(outer);
    painter.drawPath(path);
    QPen inner(tone.fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(inner);
    painter.drawPath(path);
}

void drawEnvelope(QPainter& painter, const QRectF& body)
{
    fillOutlined(painter, body, palette::paper);
    QPainterPath flap;
    flap.moveTo(body.topLeft());
    flap.lineTo(body.center().x(), body.top() + body.height() * 0.62);
    flap.lineTo(body.topRight());
    flap.closeSubpath();
    painter.setPen(edgePen(palette::paper.edge));
    painter.setBrush(palette::paperShade);
    painter.drawPath(flap);
}

void drawPerson(QPainter& painter, const QRectF& box, const Tone& tone)
{
    GridScope grid(painter, box);
    QPainterPath shoulders;
    shoulders.moveTo(2.5, 15.5);
    shoulders.lineTo(2.5, 13.0);
    shoulders.cubicTo(2.5, 10.0, 5.0, 8.8, 8.0, 8.8);
    shoulders.cubicTo(11.0, 8.8, 13.5, 10.0, 13.5, 13.0);
    shoulders.lineTo(13.5, 15.5);
    shoulders.closeSubpath();
    fillOutlined(painter, shoulders, tone);
    QPainterPath head;
    head.addEllipse(QPointF(8.0, 5.0), 3.3, 3.3);
    fillOutlined(painter, head, Tone{QColor(250, 214, 170), QColor(150, 98, 52)});
}

void drawFunnel(QPainter& painter, const QRectF& box, const Tone& tone)
{
    GridScope grid(painter, box);
    QPainterPath funnel;
    funnel.moveTo(1.5, 2.5);
    funnel.lineTo(14.5, 2.5);
    funnel.lineTo(9.5, 8.5);
    funnel.lineTo(9.5, 13.0);
    funnel.lineTo(6.5, 15.0);
    funnel.lineTo(6.5, 8.5);
    funnel.closeSubpath();
    fillOutlined(painter, funnel, tone);
    // The rim shows the funnel's mouth, which is what makes it read as a filter.
    QPainterPath rim;
    rim.addRect(QRectF(1.5, 2.5, 13.0, 2.0));
    fillOutlined(painter, rim, Tone{tone.fill.lighter(135), tone.edge});
}

void drawTick(QPainter& painter, const QRectF& box, const Tone& tone, qreal width)
{
    QPainterPath tick;
    tick.moveTo(box.left(), box.top() + box.height() * 0.55);
    tick.lineTo(box.left() + box.width() * 0.36, box.bottom());
    tick.lineTo(box.right(), box.top());
    strokeOutlined(painter, tick, tone, width);
}

void drawPlusBadge(QPainter& painter)
{
    const QPointF centre(11.5, 11.5);
    QPainterPath disc;
    disc.addEllipse(centre, 4.2, 4.2);
    fillOutlined(painter, disc, palette::green);
    painter.setPen(QPen(palette::white, 1.8, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(centre.x() - 2.4, centre.y()), QPointF(centre.x() + 2.4, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - 2.4), QPointF(centre.x(), centre.y() + 2.4));
}

QPainterPath curvedArrowLeft()
{
    QPainterPath arrow;
    arrow.moveTo(1.0, 6.5);
    arrow.lineTo(6.8, 1.5);
    arrow.lineTo(6.8, 4.3);
    arrow.cubicTo(11.5, 4.3, 15.0, 7.0, 15.0, 14.5);
    arrow.cubicTo(13.2, 10.8, 10.8, 8.8, 6.8, 8.8);
    arrow.lineTo(6.8, 11.5);
    arrow.closeSubpath();
    return arrow;
}

QPainterPath thumbUpHand()
{
    QPainterPath hand;
    // Sleeve.
    hand.addRect(QRectF(1.5, 7.5, 3.0, 7.0));
    // Palm and fingers, thumb raised.
    QPainterPath palm;
    palm.moveTo(5.0, 8.0);
    palm.lineTo(7.6, 2.6);
    palm.cubicTo(8.2, 1.2, 10.3, 1.6, 10.0, 3.4);
    palm.lineTo(9.5, 6.5);
    palm.lineTo(13.2, 6.5);
    palm.cubicTo(14.8, 6.5, 15.0, 8.3, 14.0, 8.8);
    palm.cubicTo(14.9, 9.5, 14.6, 11.0, 13.7, 11.3);
    palm.cubicTo(14.4, 12.0, 14.0, 13.5, 13.0, 13.6);
    palm.cubicTo(13.4, 14.6, 12.6, 14.9, 12.0, 14.9);
    palm.lineTo(5.0, 14.9);
    palm.closeSubpath();
    hand.addPath(palm);
    return hand;
}

} // namespace kestrin::artwork
