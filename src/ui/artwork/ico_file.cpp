#include "ui/artwork/ico_file.h"

#include <QtEndian>

namespace kestrin::artwork {

namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kInfoHeaderSize = 40;
// Below this alpha a pixel counts as transparent for readers that ignore alpha.
constexpr int kMaskAlphaThreshold = 128;

void appendU16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

int maskRowBytes(int width)
{
    return ((width + 31) / 32) * 4;
}

bool acceptable(const QImage& image)
{
    return !image.isNull() && image.width() == image.height() && image.width() <= 256;
}

// BITMAPINFOHEADER, then the colour rows bottom-up, then the mask rows
// bottom-up; the header's height counts both halves, as icons require.
QByteArray bitmapEntry(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int side = image.width();
    const int colourBytes = side * side * 4;
    const int maskBytes = maskRowBytes(side) * side;
    QByteArray out;
    out.reserve(kInfoHeaderSize + colourBytes + maskBytes);
    appendU32(out, kInfoHeaderSize);
    appendU32(out, static_cast<quint32>(side));
    appendU32(out, static_cast<quint32>(2 * side));
    appendU16(out, 1);  // planes
    appendU16(out, 32); // bits per pixel
    appendU32(out, 0);  // no compression
    appendU32(out, static_cast<quint32>(colourBytes + maskBytes));
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);
    for (int y = side - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            appendU32(out, row[x]); // 0xAARRGGBB little-endian is B, G, R, A
        }
    }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray maskRow(maskRowBytes(side), '\0');
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if (qAlpha(row[x]) < kMaskAlphaThreshold) {
                maskRow[x / 8] = static_cast<char>(maskRow[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(maskRow);
    }
    return out;
}

} // namespace

QByteArray encodeIco(const QList<QImage>& images)
{
    if (images.isEmpty() || images.size() > 0xFFFF) {
        return {};
    }
    QList<QByteArray> entries;
    for (const QImage& image : images) {
        if (!acceptable(image)) {
            return {};
        }
        entries.append(bitmapEntry(image));
    }
    QByteArray out;
    appendU16(out, 0); // reserved
    appendU16(out, 1); // type: icon
    appendU16(out, static_cast<quint16>(images.size()));
    qsizetype offset = kDirectorySize + kEntrySize * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int side = images[i].width();
        // A side of 256 is written as 0 in the one-byte fields.
        out.append(static_cast<char>(side == 256 ? 0 : side));
        out.append(static_cast<char>(side == 256 ? 0 : side));
        out.append('\0'); // no palette
        out.append('\0'); // reserved
        appendU16(out, 1);
        appendU16(out, 32);
        appendU32(out, static_cast<quint32>(entries[i].size()));
        appendU32(out, static_cast<quint32>(offset));
        offset += entries[i].size();
    }
    for (const QByteArray& entry : entries) {
        out.append(entry);
    }
    return out;
}

} // namespace kestrin::artwork
