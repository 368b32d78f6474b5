#pragma once
// The Kestrin mark: a hovering kestrel seen from below, wings spread and tail
// fanned, as a single closed outline.
#include <QPainterPath>
#include <QRectF>

namespace kestrin::artwork {

// The bird fitted into box (its design is square).
QPainterPath kestrelPath(const QRectF& box);

} // namespace kestrin::artwork
