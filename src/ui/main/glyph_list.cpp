#include "ui/main/glyph_list.h"

#if __has_include("ui/artwork/glyphs.h")
#include "ui/artwork/glyphs.h"
#define KESTRIN_HAS_GLYPHS 1
#endif

namespace kestrin::ui {

QIcon glyphIcon(int index)
{
#ifdef KESTRIN_HAS_GLYPHS
    return artwork::glyphIcon(index);
#else
    (void)index;
    return {};
#endif
}

QPixmap glyphPixmap(int index)
{
    const QIcon icon = glyphIcon(index);
    return icon.isNull() ? QPixmap() : icon.pixmap(kGlyphSide, kGlyphSide);
}

} // namespace kestrin::ui
