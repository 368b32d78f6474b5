#pragma once
// The window's image list `glyph`: 25 pictures of 16 x 16 pixels addressed by
// position, as the toolbar, the tray menu, the page tabs and the legends name them.
#include "ui/artwork/glyphs.h"

#include <QIcon>
#include <QPixmap>

namespace kestrin::ui {

inline constexpr int kGlyphSide = 16;

// The picture at index; a null icon while the drawn image list is not part of
// the build, or for an index outside the list.
QIcon glyphIcon(int index);
QPixmap glyphPixmap(int index);
inline QIcon glyphIcon(artwork::Glyph which)
{
    return glyphIcon(static_cast<int>(which));
}
inline QPixmap glyphPixmap(artwork::Glyph which)
{
    return glyphPixmap(static_cast<int>(which));
}

} // namespace kestrin::ui
