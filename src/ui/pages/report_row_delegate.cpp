#include "ui/pages/report_row_delegate.h"

#include "engine/report_row.h"
#include "ui/artwork/artwork_fonts.h"
#include "ui/common/fitted_text.h"
#include "ui/common/win1250_text.h"
#include "ui/main/glyph_list.h"
#include "ui/pages/report_list_model.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace kestrin::ui {
namespace {

constexpr int kFontPixels = 11; // the list's 8 pt face at 96 dpi
constexpr int kTextLeft = 42;
constexpr int kSecondLine = 20;
const QColor kSelectedBackground(215, 235, 255);
const QColor kSelectedInk(16, 64, 128);
const QColor kErrorInk(255, 64, 0);
const QColor kRunInk(0, 64, 128);

QColor background(ReportRowKind kind, int row, bool selected)
{
    const int s = (row % 2 == 1) ? 5 : 0;
    switch (kind) {
    case ReportRowKind::Mail:
        return selected ? kSelectedBackground : QColor(255 - s, 255 - s, 255 - s);
    case ReportRowKind::Error:
        return {255 - s, 245 - s, 240 - s};
    case ReportRowKind::Run:
        return {240 - s, 245 - s, 255 - s};
    case ReportRowKind::Other:
        break;
    }
    return Qt::white;
}

// Draws the text at (x, y) as its top left, cut with "..." to width pixels
// (no cut when width is 0).
void drawFitted(QPainter& p, int x, int y, const std::string& text, int width)
{
    const QFontMetrics metrics(p.font());
    p.drawText(QPoint(x, y + metrics.ascent()), fittedText(text, width, metrics));
}

void drawPicture(QPainter& p, const QRect& r, int glyph, int dx, int dy)
{
    p.drawPixmap(r.left() + dx, r.top() + dy, glyphPixmap(glyph));
}

void drawPicture(QPainter& p, const QRect& r, artwork::Glyph glyph, int dx, int dy)
{
    drawPicture(p, r, static_cast<int>(glyph), dx, dy);
}

void setInk(QPainter& p, const QColor& ink, bool bold)
{
    p.setFont(artwork::artworkFont(kFontPixels, bold));
    p.setPen(ink);
}

void drawNotice(QPainter& p, const QRect& r, const ReportRow& row, bool advanced)
{
    const bool error = row.kind == ReportRowKind::Error;
    drawPicture(p, r, error ? artwork::Glyph::Error : artwork::Glyph::Info, 2, 2);
    setInk(p, error ? kErrorInk : kRunInk, true);
    drawFitted(p, r.left() + kTextLeft, r.top() + 2, row.headline, 540);
    if (advanced) {
        setInk(p, Qt::black, false);
        drawFitted(p, r.left() + kTextLeft, r.top() + kSecondLine, row.detail, 540);
    }
}

void drawMailFirstLine(QPainter& p, const QRect& r, const ReportRow& row, bool bold, const QColor& ink)
{
    const std::vector<std::string>& f = row.fields;
    setInk(p, ink, bold);
    const std::string sender = "\"" + f[kFieldSenderName] + "\" <" + f[kFieldSenderAddress] + ">";
    drawFitted(p, r.left() + kTextLeft, r.top() + 2, sender, 200);
    drawFitted(p, r.left() + 257, r.top() + 2, f[kFieldSubject], 300);
    const QString size = fromWin1250(f[kFieldSize]);
    const QFontMetrics metrics(p.font());
    p.drawText(QPoint(r.right() + 1 - 2 - metrics.horizontalAdvance(size), r.top() + 2 + metrics.ascent()), size);
}

void drawMailSecondLine(QPainter& p, const QRect& r, const ReportRow& row)
{
    const std::vector<std::string>& f = row.fields;
    setInk(p, Qt::black, false);
    const int y = r.top() + kSecondLine;
    drawPicture(p, r, artwork::Glyph::Date, 42, kSecondLine);
    drawFitted(p, r.left() + 62, y, f[kFieldDate], 0);
    drawPicture(p, r, artwork::Glyph::Mail, 202, kSecondLine);
    drawFitted(p, r.left() + 222, y, f[kFieldAccount], 120);
    drawPicture(p, r, artwork::Glyph::Rule, 362, kSecondLine);
    drawFitted(p, r.left() + 382, y, f[kFieldCause], 120);
}

} // namespace

ReportRowDelegate::ReportRowDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
}

QSize ReportRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    // No width of its own: a row spans the list's visible width, so the size
    // stays in sight beside a scroll bar.
    return {1, style_.advanced ? kAdvancedRowHeight : kSimpleRowHeight};
}

void ReportRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QByteArray bytes = index.data(ReportListModel::LineRole).toByteArray();
    const ReportRow row = parseReportRow(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    const QRect r = option.rect;
    const bool selected = (option.state & QStyle::State_Selected) && row.kind == ReportRowKind::Mail;
    painter->save();
    painter->setClipRect(r);
    painter->fillRect(r, background(row.kind, index.row(), selected));
    if (selected) {
        painter->setPen(kSelectedInk);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (row.kind == ReportRowKind::Error || row.kind == ReportRowKind::Run) {
        drawNotice(*painter, r, row, style_.advanced);
    } else if (row.kind == ReportRowKind::Mail) {
        for (const RowPicture& picture : mailRowPictures(row.fields))
            drawPicture(*painter, r, picture.glyph, picture.dx, picture.dy);
        const bool deleted = row.fields[kFieldActions].find('d') != std::string::npos;
        const QColor ink = selected ? kSelectedInk : (deleted ? style_.deletedColor : QColor(Qt::black));
        drawMailFirstLine(*painter, r, row, index.row() < style_.newEntryCount, ink);
        if (style_.advanced)
            drawMailSecondLine(*painter, r, row);
    }
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = background(row.kind, index.row(), selected);
        const QWidget* widget = option.widget;
        (widget ? widget->style() : QApplication::style())
            ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

} // namespace kestrin::ui
