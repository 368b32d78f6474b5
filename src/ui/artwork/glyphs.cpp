#include "ui/artwork/glyphs.h"

#include "ui/artwork/glyph_painters.h"
#include "ui/artwork/paint_helpers.h"

#include <array>

namespace kestrin::artwork {

namespace {

using GlyphPainter = void (*)(QPainter&);

// In list order: the position is the number the windows use.
constexpr std::array<GlyphPainter, 25> kPainters = {
    glyphs::paintFriend,
    glyphs::paintRule,
    glyphs::paintStatistics,
    glyphs::paintMail,
    glyphs::paintSettings,
    glyphs::paintInfo,
    glyphs::paintAccepted,
    glyphs::paintDeleted,
    glyphs::paintArchive,
    glyphs::paintError,
    glyphs::paintChecked,
    glyphs::paintReport,
    glyphs::paintAddAccount,
    glyphs::paintAddFriend,
    glyphs::paintAddRule,
    glyphs::paintAddressBook,
    glyphs::paintShowWindow,
    glyphs::paintForward,
    glyphs::paintReply,
    glyphs::paintUpdate,
    glyphs::paintMarkedForDeletion,
    glyphs::paintDate,
    glyphs::paintBayesGood,
    glyphs::paintBayesSpam,
    glyphs::paintResetStatistics,
};

} // namespace

int glyphCount()
{
    return static_cast<int>(kPainters.size());
}

QImage glyphImage(int index)
{
    if (index < 0 || index >= glyphCount()) {
        return {};
    }
    QImage image = transparentImage(kGlyphSide);
    QPainter painter;
    beginPainting(painter, image);
    kPainters[static_cast<std::size_t>(index)](painter);
    painter.end();
    return image;
}

QPixmap glyph(int index)
{
    return QPixmap::fromImage(glyphImage(index));
}

QIcon glyphIcon(int index)
{
    return QIcon(glyph(index));
}

} // namespace kestrin::artwork
