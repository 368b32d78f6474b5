#pragma once
// Shapes that several glyphs share. All take coordinates on the 16 x 16 grid
// of a glyph; a 1-pixel outline sits on half-pixel positions so that it stays
// sharp at the size the lists show it.
#include "ui/artwork/palette.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace kestrin::artwork {

// A transparent square picture of the given side, premultiplied ARGB.
QImage transparentImage(int side);

// A painter on the picture with antialiasing switched on.
void beginPainting(QPainter& painter, QImage& image);

// Fills the path with the tone's fill and strokes it with a 1-pixel edge.
void fillOutlined(QPainter& painter, const QPainterPath& path, const Tone& tone);
void fillOutlined(QPainter& painter, const QRectF& rect, const Tone& tone);

// A stroke drawn twice, wide in the edge colour and narrower in the fill, so
// that a bare line (a tick, a cross) has the same outline as the filled shapes.
void strokeOutlined(QPainter& painter, const QPainterPath& path, const Tone& tone, qreal width);

void drawEnvelope(QPainter& painter, const QRectF& body);
void drawPerson(QPainter& painter, const QRectF& box, const Tone& tone);
void drawFunnel(QPainter& painter, const QRectF& box, const Tone& tone);
void drawTick(QPainter& painter, const QRectF& box, const Tone& tone, qreal width);

// The green "add" badge in the lower right corner of the add commands.
void drawPlusBadge(QPainter& painter);

// A curved arrow pointing left (the reply arrow); the forward arrow is its mirror.
QPainterPath curvedArrowLeft();

// A hand with the thumb up; the spam mark turns it upside down.
QPainterPath thumbUpHand();

} // namespace kestrin::artwork
