// Glyphs of mail, documents and windows.
#include "ui/artwork/glyph_painters.h"
#include "ui/artwork/paint_helpers.h"

namespace kestrin::artwork::glyphs {

void paintMail(QPainter& painter)
{
    drawEnvelope(painter, QRectF(1.5, 3.5, 13.0, 9.0));
}

void paintAccepted(QPainter& painter)
{
    drawEnvelope(painter, QRectF(0.5, 2.5, 12.0, 8.5));
    drawTick(painter, QRectF(7.0, 7.5, 7.5, 6.5), palette::green, 2.2);
}

void paintAddAccount(QPainter& painter)
{
    drawEnvelope(painter, QRectF(0.5, 1.5, 12.0, 8.5));
    drawPlusBadge(painter);
}

void paintReport(QPainter& painter)
{
    QPainterPath sheet;
    sheet.moveTo(2.5, 0.5);
    sheet.lineTo(10.0, 0.5);
    sheet.lineTo(13.5, 4.0);
    sheet.lineTo(13.5, 15.5);
    sheet.lineTo(2.5, 15.5);
    sheet.closeSubpath();
    fillOutlined(painter, sheet, palette::paper);
    QPainterPath corner;
    corner.moveTo(10.0, 0.5);
    corner.lineTo(10.0, 4.0);
    corner.lineTo(13.5, 4.0);
    fillOutlined(painter, corner, Tone{palette::paperShade, palette::paper.edge});
    // Report rows: a coloured bullet and a grey line of text each.
    const QColor bullets[] = {palette::green.fill, palette::red.fill, palette::green.fill, palette::blue.fill};
    for (int row = 0; row < 4; ++row) {
        const qreal y = 5.0 + 2.6 * row;
        painter.setPen(Qt::NoPen);
        painter.setBrush(bullets[row]);
        painter.drawRect(QRectF(4.0, y, 2.0, 1.6));
        painter.setBrush(palette::grey.fill);
        painter.drawRect(QRectF(7.0, y, row == 0 ? 3.0 : 5.0, 1.6));
    }
}

void paintAddressBook(QPainter& painter)
{
    const Tone cover{QColor(196, 80, 62), QColor(120, 36, 26)};
    QPainterPath pages;
    pages.addRect(QRectF(4.5, 1.5, 10.0, 14.0));
    fillOutlined(painter, pages, palette::paper);
    QPainterPath book;
    book.addRect(QRectF(2.5, 0.5, 10.5, 14.0));
    fillOutlined(painter, book, cover);
    painter.setPen(Qt::NoPen);
    painter.setBrush(cover.edge);
    painter.drawRect(QRectF(3.0, 1.0, 1.5, 13.0));
    // Index tabs on the edge, and a person on the cover.
    painter.setBrush(palette::amber.fill);
    painter.drawRect(QRectF(13.0, 3.0, 2.0, 2.0));
    painter.setBrush(palette::green.fill);
    painter.drawRect(QRectF(13.0, 7.0, 2.0, 2.0));
    painter.setBrush(palette::white);
    painter.drawEllipse(QPointF(8.6, 5.4), 1.9, 1.9);
    QPainterPath body;
    body.moveTo(5.4, 11.6);
    body.cubicTo(5.4, 8.6, 11.8, 8.6, 11.8, 11.6);
    body.closeSubpath();
    painter.drawPath(body);
}

void paintShowWindow(QPainter& painter)
{
    QPainterPath frame;
    frame.addRect(QRectF(0.5, 1.5, 15.0, 13.0));
    fillOutlined(painter, frame, palette::paper);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::blue.fill);
    painter.drawRect(QRectF(1.0, 2.0, 14.0, 3.0));
    painter.setBrush(palette::white);
    painter.drawRect(QRectF(12.0, 3.0, 2.0, 1.0));
    // Two panes of content below the title bar.
    painter.setBrush(palette::paperShade);
    painter.drawRect(QRectF(2.0, 6.5, 4.0, 6.5));
    painter.setBrush(palette::grey.fill);
    for (int line = 0; line < 3; ++line) {
        painter.drawRect(QRectF(7.5, 7.0 + 2.2 * line, 6.0, 1.2));
    }
}

void paintUpdate(QPainter& painter)
{
    QPainterPath tray;
    tray.moveTo(1.5, 10.5);
    tray.lineTo(1.5, 14.5);
    tray.lineTo(14.5, 14.5);
    tray.lineTo(14.5, 10.5);
    strokeOutlined(painter, tray, palette::grey, 1.4);
    QPainterPath arrow;
    arrow.moveTo(6.0, 0.5);
    arrow.lineTo(10.0, 0.5);
    arrow.lineTo(10.0, 6.0);
    arrow.lineTo(13.0, 6.0);
    arrow.lineTo(8.0, 12.0);
    arrow.lineTo(3.0, 6.0);
    arrow.lineTo(6.0, 6.0);
    arrow.closeSubpath();
    fillOutlined(painter, arrow, palette::green);
}

void paintArchive(QPainter& painter)
{
    QPainterPath box;
    box.addRect(QRectF(2.0, 6.0, 12.0, 9.0));
    fillOutlined(painter, box, palette::cardboard);
    QPainterPath lid;
    lid.addRect(QRectF(1.0, 2.5, 14.0, 3.5));
    fillOutlined(painter, lid, Tone{palette::cardboard.fill.darker(118), palette::cardboard.edge});
    // The hand hole of a filing box.
    QPainterPath handle;
    handle.addRoundedRect(QRectF(5.5, 8.0, 5.0, 2.0), 1.0, 1.0);
    fillOutlined(painter, handle, Tone{palette::cardboard.edge, palette::cardboard.edge});
}

} // namespace kestrin::artwork::glyphs
