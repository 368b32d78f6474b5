#pragma once
// The banner of the about window: the Kestrin mark and the program's name.
#include <QImage>
#include <QSize>

namespace kestrin::artwork {

inline constexpr QSize kLogoSize(320, 96);

// Opaque RGB picture (stored as a 24-bit bitmap). Draws text, so it needs a
// QGuiApplication.
QImage logoImage();

} // namespace kestrin::artwork
