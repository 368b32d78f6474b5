#include "ui/artwork/artwork_fonts.h"

namespace kestrin::artwork {

QString artworkFontFamily()
{
    return QStringLiteral("DejaVu Sans");
}

QFont artworkFont(int pixelSize, bool bold)
{
    QFont font(artworkFontFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace kestrin::artwork
