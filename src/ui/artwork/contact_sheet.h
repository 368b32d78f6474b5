#pragma once
// One picture showing every piece of artwork as it was written to disk, for a
// person to look over: glyphs enlarged, icons at their sizes, logo and skin.
#include <QImage>
#include <QString>

namespace kestrin::artwork {

// Reads the files below root (as writeShippedData left them) back through Qt's
// image readers, so the sheet shows what a window will load. Needs a QGuiApplication.
QImage contactSheet(const QString& root);

} // namespace kestrin::artwork
