#include "ui/artwork/notice_skin.h"

#include "ui/artwork/artwork_fonts.h"
#include "ui/artwork/kestrel_mark.h"
#include "ui/artwork/paint_helpers.h"
#include "ui/artwork/tray_icons.h"

#include <QLinearGradient>
#include <QStringList>

namespace kestrin::artwork {

namespace {

constexpr int kHeaderHeight = 24;
constexpr qreal kCornerRadius = 10.0;
const QColor kBorder(43, 63, 92);
const QColor kSecondaryText(84, 84, 84);

QString rectKeys(const QRect& area)
{
    return QStringLiteral("Left=%1\nTop=%2\nWidth=%3\nHeight=%4\n")
        .arg(area.left())
        .arg(area.top())
        .arg(area.width())
        .arg(area.height());
}

QString textLineKeys(const SkinTextLine& line)
{
    return rectKeys(line.area) + QStringLiteral("FontName=%1\nFontStyle=%2\nFontSize=%3\nFontColor=%4,%5,%6\n")
                                     .arg(line.fontName, line.fontStyle)
                                     .arg(line.fontSize)
                                     .arg(line.colour.red())
                                     .arg(line.colour.green())
                                     .arg(line.colour.blue());
}

QPainterPath bodyOutline(const NoticeSkin& skin)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(0.5, 0.5, skin.size.width() - 1.0, skin.size.height() - 1.0), kCornerRadius,
                        kCornerRadius);
    return body;
}

void drawBody(QPainter& painter, const NoticeSkin& skin)
{
    const QPainterPath body = bodyOutline(skin);
    QLinearGradient paper(0.0, 0.0, 0.0, skin.size.height());
    paper.setColorAt(0.0, QColor(255, 252, 246));
    paper.setColorAt(1.0, QColor(238, 228, 214));
    painter.setPen(Qt::NoPen);
    painter.setBrush(paper);
    painter.drawPath(body);
    painter.save();
    painter.setClipPath(body);
    painter.fillRect(QRect(0, 0, skin.size.width(), kHeaderHeight), palette::chestnut);
    painter.restore();
    painter.setPen(QPen(kBorder, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body);
}

void drawHeader(QPainter& painter, const NoticeSkin& skin)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 246, 232));
    painter.drawPath(kestrelPath(QRectF(6.0, 1.0, 22.0, 22.0)));
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(artworkFont(12, true));
    painter.drawText(QRect(32, 0, skin.size.width() - 40, kHeaderHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8("Kestrin \u2014 nowa poczta"));
}

void drawButton(QPainter& painter, const QRect& area, const QString& label, const Tone& tone, const QColor& text)
{
    const QRectF pill = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(tone.edge, 1.0));
    painter.setBrush(tone.fill);
    painter.drawRoundedRect(pill, pill.height() / 2.0, pill.height() / 2.0);
    painter.setPen(text);
    painter.setFont(artworkFont(11, true));
    painter.drawText(area, Qt::AlignCenter, label);
}

// Antialiased edges would blend into the key colour and leave a green fringe,
// so every pixel becomes either fully the body or exactly the key colour.
QImage flattenOntoKey(const QImage& drawn, const QColor& key)
{
    QImage flat(drawn.size(), QImage::Format_RGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb pixel = in[x];
            const int alpha = qAlpha(pixel);
            if (alpha < 128) {
                out[x] = key.rgb();
            } else {
                out[x] = qRgb(qRed(pixel) * 255 / alpha, qGreen(pixel) * 255 / alpha, qBlue(pixel) * 255 / alpha);
            }
            if (alpha >= 128 && out[x] == key.rgb()) {
                out[x] ^= 0x000100; // one step of green away: the body must never be see-through
            }
        }
    }
    return flat;
}

} // namespace

NoticeSkin defaultNoticeSkin()
{
    NoticeSkin skin;
    skin.backgroundFile = QStringLiteral("kestrin.bmp");
    skin.size = QSize(300, 96);
    skin.transparent = true;
    skin.keyColour = QColor(0, 255, 0);
    skin.openMailButton = QRect(64, 68, 138, 20);
    skin.closeButton = QRect(210, 68, 80, 20);
    skin.sender = SkinTextLine{QRect(64, 28, 226, 17), artworkFontFamily(), QStringLiteral("B"), 9, palette::ink};
    skin.subject = SkinTextLine{QRect(64, 46, 226, 16), artworkFontFamily(), QString(), 8, kSecondaryText};
    return skin;
}

QString noticeSkinIni(const NoticeSkin& skin)
{
    QStringList parts;
    parts << QStringLiteral("; Kestrin new-mail notice: the default skin.\n"
                            "; Left and Top are left out on purpose: the notice opens where the user last dragged it.\n"
                            "[Window]\n");
    parts << QStringLiteral("Width=%1\nHeight=%2\nBackground=%3\nTransparent=%4\n")
                 .arg(skin.size.width())
                 .arg(skin.size.height())
                 .arg(skin.backgroundFile)
                 .arg(skin.transparent ? 1 : 0);
    parts << QStringLiteral("TransparentR=%1\nTransparentG=%2\nTransparentB=%3\n\n")
                 .arg(skin.keyColour.red())
                 .arg(skin.keyColour.green())
                 .arg(skin.keyColour.blue());
    parts << QStringLiteral("; Starts the mail program and closes the notice.\n[Button1]\n") +
                 rectKeys(skin.openMailButton) + QStringLiteral("\n");
    parts << QStringLiteral("; Closes the notice.\n[Button2]\n") + rectKeys(skin.closeButton) + QStringLiteral("\n");
    parts << QStringLiteral("; The sender.\n[Message1]\n") + textLineKeys(skin.sender) + QStringLiteral("\n");
    parts << QStringLiteral("; The subject.\n[Message2]\n") + textLineKeys(skin.subject);
    return parts.join(QString());
}

QImage noticeSkinBackground(const NoticeSkin& skin)
{
    QImage drawn(skin.size, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter painter;
    beginPainting(painter, drawn);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawBody(painter, skin);
    drawHeader(painter, skin);
    painter.drawImage(QPoint(12, 32), trayIconImage(0, 44));
    drawButton(painter, skin.openMailButton, QString::fromUtf8("Otwórz pocztę"), Tone{palette::chestnut, kBorder},
               QColor(255, 255, 255));
    drawButton(painter, skin.closeButton, QStringLiteral("Zamknij"), Tone{QColor(226, 230, 236), kBorder},
               palette::ink);
    painter.end();
    return flattenOntoKey(drawn, skin.keyColour);
}

} // namespace kestrin::artwork
