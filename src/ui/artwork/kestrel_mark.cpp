#include "ui/artwork/kestrel_mark.h"

#include <QTransform>

namespace kestrin::artwork {

namespace {

// The right half on a 32 x 32 grid, from the crown down to the middle of the
// tail; the left half is its mirror about x = 16.
QPainterPath rightHalf()
{
    QPainterPath half;
    half.moveTo(16.0, 5.6);
    half.cubicTo(17.5, 5.6, 18.2, 6.8, 18.0, 8.2);    // crown
    half.cubicTo(17.9, 9.0, 17.9, 9.6, 18.2, 10.2);   // neck
    half.cubicTo(20.0, 9.4, 22.4, 7.8, 24.6, 7.6);    // arm, rising to the wrist
    half.cubicTo(26.8, 8.4, 29.2, 10.8, 31.4, 14.2);  // hand, down to the pointed tip
    half.cubicTo(29.0, 13.4, 27.0, 13.4, 25.2, 14.0); // primaries
    half.cubicTo(23.0, 14.6, 20.6, 16.0, 18.6, 17.4); // trailing edge back to the body
    half.cubicTo(18.3, 18.6, 17.9, 19.6, 17.4, 20.4); // flank
    half.lineTo(20.4, 27.6);                          // outer tail feather: the tail fans out
    half.cubicTo(19.0, 28.3, 17.6, 28.5, 16.0, 28.5); // square-ended tail
    return half;
}

QPainterPath designPath()
{
    const QPainterPath right = rightHalf();
    const QPainterPath left = QTransform(-1.0, 0.0, 0.0, 1.0, 32.0, 0.0).map(right).toReversed();
    QPainterPath bird = right;
    // The mirrored half runs from the tail back up to the crown, closing the outline.
    for (int i = 1; i < left.elementCount(); ++i) {
        const QPainterPath::Element element = left.elementAt(i);
        if (element.isCurveTo()) {
            const QPainterPath::Element c2 = left.elementAt(i + 1);
            const QPainterPath::Element end = left.elementAt(i + 2);
            bird.cubicTo(QPointF(element), QPointF(c2), QPointF(end));
            i += 2;
        } else {
            bird.lineTo(QPointF(element));
        }
    }
    bird.closeSubpath();
    return bird;
}

} // namespace

QPainterPath kestrelPath(const QRectF& box)
{
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 32.0, box.height() / 32.0);
    return toBox.map(designPath());
}

} // namespace kestrin::artwork
