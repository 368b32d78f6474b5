// Glyphs of people, rules, arrows and the Bayes marks.
#include "ui/artwork/glyph_painters.h"
#include "ui/artwork/paint_helpers.h"

#include <QTransform>

namespace kestrin::artwork::glyphs {

namespace {

QPainterPath mirroredLeftRight(const QPainterPath& path)
{
    return QTransform(-1.0, 0.0, 0.0, 1.0, 16.0, 0.0).map(path);
}

QPainterPath turnedUpsideDown(const QPainterPath& path)
{
    return QTransform(1.0, 0.0, 0.0, -1.0, 0.0, 16.0).map(path);
}

// A few finger creases make the hand read as a hand, not a blob.
void drawFingerCreases(QPainter& painter, bool upsideDown)
{
    painter.setPen(QPen(QColor(0, 0, 0, 90), 0.8));
    for (qreal y : {8.9, 11.3}) {
        const qreal shown = upsideDown ? 16.0 - y : y;
        painter.drawLine(QPointF(10.8, shown), QPointF(13.8, shown));
    }
}

} // namespace

void paintFriend(QPainter& painter)
{
    drawPerson(painter, QRectF(0.0, 0.0, 16.0, 16.0), palette::teal);
}

void paintAddFriend(QPainter& painter)
{
    drawPerson(painter, QRectF(-1.0, -0.5, 13.0, 13.0), palette::teal);
    drawPlusBadge(painter);
}

void paintRule(QPainter& painter)
{
    drawFunnel(painter, QRectF(0.0, 0.0, 16.0, 16.0), palette::violet);
}

void paintAddRule(QPainter& painter)
{
    drawFunnel(painter, QRectF(-0.5, -0.5, 13.0, 13.0), palette::violet);
    drawPlusBadge(painter);
}

void paintForward(QPainter& painter)
{
    fillOutlined(painter, mirroredLeftRight(curvedArrowLeft()), palette::blue);
}

void paintReply(QPainter& painter)
{
    fillOutlined(painter, curvedArrowLeft(), palette::blue);
}

void paintBayesGood(QPainter& painter)
{
    fillOutlined(painter, thumbUpHand(), palette::green);
    drawFingerCreases(painter, false);
}

void paintBayesSpam(QPainter& painter)
{
    fillOutlined(painter, turnedUpsideDown(thumbUpHand()), palette::red);
    drawFingerCreases(painter, true);
}

} // namespace kestrin::artwork::glyphs
