#include "artwork_test_support.h"
#include "ui/artwork/glyphs.h"

#include <gtest/gtest.h>

namespace kestrin::artwork {
namespace {

int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(ArtworkGlyphs, EveryPositionIsASixteenPixelPictureWithTransparentSurroundings)
{
    ASSERT_EQ(glyphCount(), 25);
    for (int index = 0; index < glyphCount(); ++index) {
        SCOPED_TRACE(index);
        const QImage image = glyphImage(index);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_TRUE(image.hasAlphaChannel());
        const int visible = test::visiblePixels(image);
        // Neither an empty cell nor a filled square: a shape on a clear ground.
        EXPECT_GT(visible, 40);
        EXPECT_LT(visible, 16 * 16);
    }
    EXPECT_EQ(glyphImage(Glyph::BayesSpam), glyphImage(23));
}

TEST(ArtworkGlyphs, PositionsOutsideTheListGiveNothing)
{
    EXPECT_TRUE(glyphImage(-1).isNull());
    EXPECT_TRUE(glyphImage(glyphCount()).isNull());
    test::ensureApplication();
    EXPECT_TRUE(glyph(glyphCount()).isNull());
    EXPECT_TRUE(glyphIcon(-1).isNull());
}

TEST(ArtworkGlyphs, EveryTwoGlyphsAreClearlyDifferent)
{
    for (int a = 0; a < glyphCount(); ++a) {
        for (int b = a + 1; b < glyphCount(); ++b) {
            EXPECT_GT(differingPixels(glyphImage(a), glyphImage(b)), 16) << a << " vs " << b;
        }
    }
}

TEST(ArtworkGlyphs, PixmapsAndIconsCarryTheSamePicture)
{
    test::ensureApplication();
    for (int index : {0, 10, 24}) {
        const QPixmap pixmap = glyph(index);
        EXPECT_EQ(pixmap.size(), QSize(16, 16));
        EXPECT_TRUE(test::samePixels(pixmap.toImage(), glyphImage(index)));
        EXPECT_FALSE(glyphIcon(index).pixmap(16, 16).isNull());
    }
}

} // namespace
} // namespace kestrin::artwork
