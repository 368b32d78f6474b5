#include "artwork_test_support.h"
#include "ui/artwork/ico_file.h"
#include "ui/artwork/tray_icons.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

namespace kestrin::artwork {
namespace {

QList<QImage> readAllImages(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        reader.jumpToImage(i);
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

// Opaque pixels must come back exactly; partly transparent ones may differ by
// the rounding of premultiplication.
bool closeEnough(const QImage& expected, const QImage& actual)
{
    const QImage want = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
            const QRgb a = want.pixel(x, y);
            const QRgb b = actual.pixel(x, y);
            const int tolerance = qAlpha(a) == 255 ? 0 : 3;
            if (qAbs(qAlpha(a) - qAlpha(b)) > 0 ||
                (qAlpha(a) > 32 && (qAbs(qRed(a) - qRed(b)) > tolerance || qAbs(qGreen(a) - qGreen(b)) > tolerance ||
                                    qAbs(qBlue(a) - qBlue(b)) > tolerance))) {
                return false;
            }
        }
    }
    return true;
}

int countColour(const QImage& image, QRgb colour)
{
    int count = 0;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            count += argb.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST(ArtworkIcoFile, EveryStoredSizeReadsBackWithItsPixelsAndAlpha)
{
    QList<QImage> sources;
    for (int side : iconSides()) {
        sources.append(trayIconImage(0, side));
    }
    const QByteArray file = encodeIco(sources);
    ASSERT_FALSE(file.isEmpty());
    const QList<QImage> read = readAllImages(file);
    ASSERT_EQ(read.size(), sources.size());
    for (qsizetype i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(sources[i].width());
        EXPECT_EQ(read[i].size(), sources[i].size());
        EXPECT_TRUE(closeEnough(sources[i], read[i]));
    }
    // The directory: type 1 (icon), one entry per size, sizes in order.
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 2), 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 4), sources.size());
    EXPECT_EQ(static_cast<unsigned char>(file[6]), 16);
    EXPECT_EQ(static_cast<unsigned char>(file[6 + 16 * 3]), 48);
}

TEST(ArtworkIcoFile, MaskMarksTheSeeThroughPixelsForReadersWithoutAlpha)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(200, 10, 10, 255));
    image.setPixel(0, 0, qRgba(0, 0, 0, 0)); // top left: the last row of a bottom-up bitmap
    image.setPixel(7, 7, qRgba(0, 0, 0, 0)); // bottom right: the first row
    const QByteArray file = encodeIco({image});
    const qsizetype entry = qFromLittleEndian<quint32>(file.constData() + 6 + 12);
    const qsizetype mask = entry + 40 + 8 * 8 * 4;
    ASSERT_EQ(file.size(), mask + 8 * 4);                                   // 8 mask rows, each padded to 4 bytes
    EXPECT_EQ(static_cast<unsigned char>(file[mask]), 0x01);                // bottom row, x = 7
    EXPECT_EQ(static_cast<unsigned char>(file[mask + 7 * 4]), 0x80);        // top row, x = 0
    EXPECT_EQ(static_cast<unsigned char>(file[mask + 3 * 4]), 0x00);        // an opaque row
    EXPECT_EQ(qFromLittleEndian<qint32>(file.constData() + entry + 8), 16); // height counts colour and mask
}

TEST(ArtworkIcoFile, RefusesWhatAnIconCannotHold)
{
    EXPECT_TRUE(encodeIco({}).isEmpty());
    EXPECT_TRUE(encodeIco({QImage()}).isEmpty());
    EXPECT_TRUE(encodeIco({QImage(16, 24, QImage::Format_ARGB32)}).isEmpty());
    EXPECT_TRUE(encodeIco({trayIconImage(0, 16), QImage(300, 300, QImage::Format_ARGB32)}).isEmpty());
    QImage largest(256, 256, QImage::Format_ARGB32);
    largest.fill(Qt::red);
    const QByteArray file = encodeIco({largest});
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(file[6], '\0'); // 256 is written as 0
    EXPECT_EQ(readAllImages(file).value(0).size(), QSize(256, 256));
}

TEST(ArtworkTrayIcons, FifteenDistinctSchemesSplitIntoQuietAndEyeCatching)
{
    int attention = 0;
    for (int a = 0; a < kTrayIconCount; ++a) {
        attention += trayIconIsAttention(a) ? 1 : 0;
        for (int side : iconSides()) {
            const QImage image = trayIconImage(a, side);
            EXPECT_EQ(image.size(), QSize(side, side));
            EXPECT_GT(test::visiblePixels(image), side * side / 2);
        }
        for (int b = a + 1; b < kTrayIconCount; ++b) {
            EXPECT_FALSE(test::samePixels(trayIconImage(a, 16), trayIconImage(b, 16))) << a << " vs " << b;
        }
    }
    EXPECT_GT(attention, 2);
    EXPECT_LT(attention, kTrayIconCount - 2);
    EXPECT_FALSE(trayIconIsAttention(0)); // the default idle icon is a quiet one
    EXPECT_TRUE(trayIconImage(kTrayIconCount, 16).isNull());
    EXPECT_TRUE(trayIconImage(-1, 16).isNull());
}

TEST(ArtworkTrayIcons, ProgressRingFillsStepByStep)
{
    // The lit colour of the ring; its area must grow with every step.
    const QRgb lit = qRgb(150, 230, 60);
    int previous = -1;
    for (int step = 0; step < kScanStepCount; ++step) {
        SCOPED_TRACE(step);
        const int litPixels = countColour(scanIconImage(step, 48), lit);
        EXPECT_GT(litPixels, previous);
        previous = litPixels;
        for (int other = step + 1; other < kScanStepCount; ++other) {
            EXPECT_FALSE(test::samePixels(scanIconImage(step, 16), scanIconImage(other, 16)));
        }
        EXPECT_FALSE(test::samePixels(scanIconImage(step, 16), scanStartIconImage(16)));
    }
    EXPECT_EQ(countColour(scanIconImage(0, 48), lit), 0);
    EXPECT_TRUE(scanIconImage(kScanStepCount, 16).isNull());
    EXPECT_FALSE(test::samePixels(updateIconImage(32), trayIconImage(12, 32)));
}

} // namespace
} // namespace kestrin::artwork
