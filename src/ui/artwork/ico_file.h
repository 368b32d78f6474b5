#pragma once
// Windows icon files holding several sizes of one picture. Qt's own icon
// writer stores a single image per file, so the container is written here.
#include <QByteArray>
#include <QImage>
#include <QList>

namespace kestrin::artwork {

// An .ico file with one entry per image, in the given order. Each entry is a
// 32-bit BGRA bitmap with its 1-bit mask, the form every icon reader takes.
// Images must be square and at most 256 pixels; returns an empty array for
// none or for any image outside that.
QByteArray encodeIco(const QList<QImage>& images);

} // namespace kestrin::artwork
