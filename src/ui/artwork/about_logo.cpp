#include "ui/artwork/about_logo.h"

#include "ui/artwork/artwork_fonts.h"
#include "ui/artwork/paint_helpers.h"
#include "ui/artwork/tray_icons.h"

#include <QLinearGradient>

namespace kestrin::artwork {

namespace {

void drawSky(QPainter& painter)
{
    QLinearGradient sky(0.0, 0.0, 0.0, kLogoSize.height());
    sky.setColorAt(0.0, QColor(253, 248, 240));
    sky.setColorAt(1.0, QColor(240, 226, 206));
    painter.fillRect(QRect(QPoint(0, 0), kLogoSize), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::chestnut);
    painter.drawRect(QRectF(0.0, kLogoSize.height() - 4.0, kLogoSize.width(), 4.0));
}

void drawName(QPainter& painter, int left)
{
    painter.setPen(palette::ink);
    painter.setFont(artworkFont(30, true));
    painter.drawText(QRect(left, 10, kLogoSize.width() - left - 8, 44), Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("Kestrin"));
    painter.setPen(palette::chestnut);
    painter.setFont(artworkFont(15, false));
    painter.drawText(QRect(left + 2, 52, kLogoSize.width() - left - 8, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("sweeper"));
    painter.setPen(QColor(110, 110, 110));
    painter.setFont(artworkFont(9, false));
    painter.drawText(QRect(left + 2, 72, kLogoSize.width() - left - 8, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8("filtr poczty POP3 \u2014 usuwa spam na serwerze"));
}

} // namespace

QImage logoImage()
{
    QImage image(kLogoSize, QImage::Format_RGB32);
    QPainter painter;
    beginPainting(painter, image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawSky(painter);
    const int badgeSide = 72;
    const QImage badge = trayIconImage(0, badgeSide);
    const int badgeTop = (kLogoSize.height() - 4 - badgeSide) / 2;
    painter.drawImage(QPoint(14, badgeTop), badge);
    drawName(painter, 14 + badgeSide + 14);
    painter.end();
    return image;
}

} // namespace kestrin::artwork
