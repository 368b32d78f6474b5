#pragma once
// Report and details texts cut to a pixel width with "..." in a font.
#include <QFontMetrics>
#include <QString>

#include <string>

namespace kestrin::ui {

// The Windows-1250 text as shown: whole when it fits width, else its longest
// prefix that fits with "..." after it. width 0 or less: never cut.
QString fittedText(const std::string& text, int width, const QFontMetrics& metrics);

} // namespace kestrin::ui
