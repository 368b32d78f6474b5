#pragma once
// Drawing text needs an application object; the artwork tests make one only
// when no other test of this executable has made it already.
#include <QApplication>
#include <QImage>

namespace kestrin::artwork::test {

inline void ensureApplication()
{
    if (QCoreApplication::instance() == nullptr) {
        // Run straight from a shell the tests still need no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
    }
}

inline QImage transparentSquare(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Pixels whose alpha is not zero.
inline int visiblePixels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            count += qAlpha(argb.pixel(x, y)) != 0 ? 1 : 0;
        }
    }
    return count;
}

inline bool samePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

} // namespace kestrin::artwork::test
