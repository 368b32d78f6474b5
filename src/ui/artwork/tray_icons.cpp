#include "ui/artwork/tray_icons.h"

#include "ui/artwork/kestrel_mark.h"
#include "ui/artwork/paint_helpers.h"

#include <array>

namespace kestrin::artwork {

namespace {

struct TrayScheme {
    QColor badge;
    QColor bird;
    bool attention;
};

const std::array<TrayScheme, kTrayIconCount>& traySchemes()
{
    static const std::array<TrayScheme, kTrayIconCount> schemes = {{
        {palette::chestnut, QColor(255, 246, 232), false}, // brand
        {QColor(61, 90, 128), QColor(255, 255, 255), false},
        {QColor(95, 107, 120), QColor(255, 255, 255), false},
        {QColor(31, 138, 133), QColor(255, 255, 255), false},
        {QColor(47, 125, 50), QColor(255, 255, 255), false},
        {QColor(34, 53, 107), QColor(255, 214, 170), false},
        {QColor(109, 63, 140), QColor(255, 255, 255), false},
        {QColor(43, 43, 43), QColor(240, 140, 80), false},
        {QColor(122, 75, 42), QColor(255, 236, 200), false},
        {QColor(255, 140, 0), QColor(255, 255, 255), true},
        {QColor(224, 43, 32), QColor(255, 255, 255), true},
        {QColor(250, 204, 20), QColor(70, 52, 0), true},
        {QColor(54, 194, 58), QColor(255, 255, 255), true},
        {QColor(214, 37, 154), QColor(255, 255, 255), true},
        {QColor(30, 167, 232), QColor(255, 255, 255), true},
    }};
    return schemes;
}

const QColor kScanBadge(61, 90, 128);
const QColor kScanTrack(26, 38, 58);
const QColor kScanFill(150, 230, 60);
const QColor kUpdateBadge(46, 158, 68);

qreal ringWidth(int side)
{
    return qMax(2.2, side * 0.14);
}

// A round badge filling the square, with a darker 1-pixel rim.
void drawBadge(QPainter& painter, int side, const QColor& fill)
{
    const qreal half = side / 2.0;
    QPainterPath disc;
    disc.addEllipse(QPointF(half, half), half - 0.5, half - 0.5);
    fillOutlined(painter, disc, Tone{fill, fill.darker(160)});
}

void drawBird(QPainter& painter, int side, qreal inset, const QColor& colour)
{
    const QRectF box(inset, inset, side - 2.0 * inset, side - 2.0 * inset);
    // At tray sizes the wings would be thinner than a pixel; an outline in the
    // bird's own colour thickens them so the shape still reads as a bird.
    const qreal thickening = side <= 24 ? 0.9 : 0.0;
    painter.setPen(thickening > 0.0 ? QPen(colour, thickening, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                                    : QPen(Qt::NoPen));
    painter.setBrush(colour);
    painter.drawPath(kestrelPath(box));
}

QRectF ringRect(int side)
{
    const qreal margin = 0.5 + ringWidth(side) / 2.0;
    return QRectF(margin, margin, side - 2.0 * margin, side - 2.0 * margin);
}

// The progress ring drawn over the badge's edge; fraction 0..1 of it lit.
void drawRing(QPainter& painter, int side, qreal fraction)
{
    const QRectF ring = ringRect(side);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kScanTrack, ringWidth(side), Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(ring);
    if (fraction <= 0.0) {
        return;
    }
    painter.setPen(QPen(kScanFill, ringWidth(side), Qt::SolidLine, Qt::FlatCap));
    // Qt counts angles in sixteenths of a degree, counter-clockwise from three o'clock.
    const int span = qRound(-360.0 * 16.0 * qMin(fraction, 1.0));
    painter.drawArc(ring, 90 * 16, span);
}

// Eight lit dots around the ring: the cycle is about to begin.
void drawStartDots(QPainter& painter, int side)
{
    const QRectF ring = ringRect(side);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kScanTrack, ringWidth(side), Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(ring);
    painter.setPen(QPen(kScanFill, ringWidth(side), Qt::SolidLine, Qt::FlatCap));
    for (int dot = 0; dot < kScanStepCount; ++dot) {
        painter.drawArc(ring, (90 - 45 * dot) * 16 - 8 * 16, 16 * 16);
    }
}

template <typename Draw> QImage paintIcon(int side, Draw draw)
{
    QImage image = transparentImage(side);
    QPainter painter;
    beginPainting(painter, image);
    draw(painter);
    painter.end();
    return image;
}

} // namespace

QList<int> iconSides()
{
    return {16, 24, 32, 48};
}

bool trayIconIsAttention(int number)
{
    return number >= 0 && number < kTrayIconCount && traySchemes()[static_cast<std::size_t>(number)].attention;
}

QImage trayIconImage(int number, int side)
{
    if (number < 0 || number >= kTrayIconCount || side <= 0) {
        return {};
    }
    const TrayScheme& scheme = traySchemes()[static_cast<std::size_t>(number)];
    return paintIcon(side, [&](QPainter& painter) {
        drawBadge(painter, side, scheme.badge);
        drawBird(painter, side, side <= 24 ? side * 0.05 : side * 0.1, scheme.bird);
    });
}

QImage scanIconImage(int step, int side)
{
    if (step < 0 || step >= kScanStepCount || side <= 0) {
        return {};
    }
    return paintIcon(side, [&](QPainter& painter) {
        drawBadge(painter, side, kScanBadge);
        drawRing(painter, side, step / static_cast<qreal>(kScanStepCount - 1));
        drawBird(painter, side, ringWidth(side) + side * 0.06, QColor(255, 255, 255));
    });
}

QImage scanStartIconImage(int side)
{
    if (side <= 0) {
        return {};
    }
    return paintIcon(side, [&](QPainter& painter) {
        drawBadge(painter, side, kScanBadge);
        drawStartDots(painter, side);
        drawBird(painter, side, ringWidth(side) + side * 0.06, QColor(255, 255, 255));
    });
}

QImage updateIconImage(int side)
{
    if (side <= 0) {
        return {};
    }
    return paintIcon(side, [&](QPainter& painter) {
        drawBadge(painter, side, kUpdateBadge);
        const qreal u = side / 16.0;
        QPainterPath arrow;
        arrow.moveTo(6.4 * u, 3.0 * u);
        arrow.lineTo(9.6 * u, 3.0 * u);
        arrow.lineTo(9.6 * u, 7.4 * u);
        arrow.lineTo(12.2 * u, 7.4 * u);
        arrow.lineTo(8.0 * u, 11.6 * u);
        arrow.lineTo(3.8 * u, 7.4 * u);
        arrow.lineTo(6.4 * u, 7.4 * u);
        arrow.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255));
        painter.drawPath(arrow);
        painter.drawRect(QRectF(4.2 * u, 12.4 * u, 7.6 * u, 1.4 * u));
    });
}

} // namespace kestrin::artwork
