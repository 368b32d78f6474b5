#include "ui/main/glyph_list.h"

#include "ui/artwork/glyphs.h"

namespace kestrin::ui {

QIcon glyphIcon(int index)
{
    return artwork::glyphIcon(index);
}

QPixmap glyphPixmap(int index)
{
    const QIcon icon = glyphIcon(index);
    return icon.isNull() ? QPixmap() : icon.pixmap(kGlyphSide, kGlyphSide);
}

} // namespace kestrin::ui
