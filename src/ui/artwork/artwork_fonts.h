#pragma once
// The one face the drawn texts use: present on every Debian desktop, and
// what the shipped skin names for its text lines.
#include <QFont>
#include <QString>

namespace kestrin::artwork {

QString artworkFontFamily(); // "DejaVu Sans"

// A font of the given pixel size (pixels, not points, so the pictures come
// out the same whatever the screen's resolution).
QFont artworkFont(int pixelSize, bool bold);

} // namespace kestrin::artwork
