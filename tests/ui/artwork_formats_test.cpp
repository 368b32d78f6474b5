#include "artwork_test_support.h"
#include "ui/artwork/chime_sound.h"
#include "ui/artwork/kestrel_mark.h"
#include "ui/artwork/notice_skin.h"
#include "ui/artwork/tray_icons.h"

#include <QMap>
#include <QPainter>
#include <QtEndian>

#include <gtest/gtest.h>

namespace kestrin::artwork {
namespace {

double luminance(QRgb colour)
{
    return 0.2126 * qRed(colour) + 0.7152 * qGreen(colour) + 0.0722 * qBlue(colour);
}

// The two colours covering most of an icon: its badge and its bird.
std::pair<QRgb, QRgb> twoMainColours(const QImage& image)
{
    QMap<QRgb, int> counts;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) == 255) {
                ++counts[argb.pixel(x, y)];
            }
        }
    }
    QList<std::pair<int, QRgb>> ranked;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        ranked.append({it.value(), it.key()});
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return {ranked.value(0).second, ranked.value(1).second};
}

TEST(ArtworkFormats, WaveFileStoresSamplesLittleEndianAfterTheHeader)
{
    const QByteArray wav = encodeWav({1, -1, 32767, -32768}, 8000);
    ASSERT_EQ(wav.size(), 44 + 8);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 8000U);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 28), 16000U);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 40), 8U);
    EXPECT_EQ(wav.mid(44), QByteArray::fromHex("0100ffffff7f0080"));
    EXPECT_EQ(encodeWav({}, 22050).size(), 44);
}

TEST(ArtworkFormats, SkinTextFollowsTheLayoutItIsGiven)
{
    NoticeSkin skin = defaultNoticeSkin();
    skin.backgroundFile = QStringLiteral("night.bmp");
    skin.transparent = false;
    skin.keyColour = QColor(255, 0, 255);
    skin.closeButton = QRect(5, 6, 7, 8);
    skin.subject.fontStyle = QStringLiteral("BU");
    skin.subject.colour = QColor(1, 2, 3);
    const QString ini = noticeSkinIni(skin);
    for (const char* expected :
         {"Background=night.bmp\n", "Transparent=0\n", "TransparentR=255\nTransparentG=0\n",
          "[Button2]\nLeft=5\nTop=6\nWidth=7\nHeight=8\n", "FontStyle=BU\n", "FontColor=1,2,3\n"}) {
        EXPECT_TRUE(ini.contains(QString::fromLatin1(expected))) << expected;
    }
    // Every section the notice reads, each once.
    for (const char* section : {"[Window]", "[Button1]", "[Button2]", "[Message1]", "[Message2]"}) {
        EXPECT_EQ(ini.count(QString::fromLatin1(section)), 1) << section;
    }
}

TEST(ArtworkFormats, SkinBodyNeverUsesTheKeyColourEvenWhenItsOwnColoursWould)
{
    test::ensureApplication();
    NoticeSkin skin = defaultNoticeSkin();
    // A key colour the body is full of: the brand colour of the header.
    skin.keyColour = QColor(194, 90, 36);
    const QImage picture = noticeSkinBackground(skin);
    EXPECT_EQ(picture.size(), skin.size);
    EXPECT_EQ(picture.pixel(0, 0), skin.keyColour.rgb());
    const QPoint header(skin.size.width() / 2, 4);
    EXPECT_NE(picture.pixel(header), skin.keyColour.rgb());
}

TEST(ArtworkFormats, KestrelMarkIsSymmetricAndStaysInItsBox)
{
    const QRectF box(4.0, 6.0, 64.0, 64.0);
    const QPainterPath bird = kestrelPath(box);
    EXPECT_TRUE(box.contains(bird.boundingRect()));
    EXPECT_GT(bird.boundingRect().width(), box.width() * 0.8); // spread wings
    QImage image = test::transparentSquare(72);
    QPainter painter(&image);
    painter.fillPath(bird, Qt::black);
    painter.end();
    int asymmetric = 0;
    for (int y = 0; y < 72; ++y) {
        for (int x = 0; x < 36; ++x) {
            const int mirrored = static_cast<int>(2 * box.center().x()) - 1 - x;
            asymmetric += qAbs(qAlpha(image.pixel(x, y)) - qAlpha(image.pixel(mirrored, y))) > 64 ? 1 : 0;
        }
    }
    EXPECT_EQ(asymmetric, 0);
}

TEST(ArtworkFormats, BirdStandsOutFromItsBadgeInEveryScheme)
{
    for (int number = 0; number < kTrayIconCount; ++number) {
        const auto [first, second] = twoMainColours(trayIconImage(number, 48));
        EXPECT_GT(qAbs(luminance(first) - luminance(second)), 60.0) << number;
    }
}

} // namespace
} // namespace kestrin::artwork
