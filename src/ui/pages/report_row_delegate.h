#pragma once
// Draws the rows of `stat_list`: backgrounds by row kind and parity, the
// selected message's colour and frame, the state pictures, the bold newest
// rows, the deleted-message colour, the texts fitted to their widths, the
// second line in the advanced view and the focus rectangle.
#include <QColor>
#include <QStyledItemDelegate>

namespace kestrin::ui {

inline constexpr int kSimpleRowHeight = 20;   // "Prosty": one line
inline constexpr int kAdvancedRowHeight = 38; // "Zaawansowany": two lines

struct ReportRowStyle {
    bool advanced = true;
    int newEntryCount = 0; // rows 0 .. count - 1 are drawn bold
    QColor deletedColor{192, 192, 192};
};

class ReportRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ReportRowDelegate(QObject* parent = nullptr);

    void setStyle(const ReportRowStyle& style) { style_ = style; }
    const ReportRowStyle& style() const { return style_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ReportRowStyle style_;
};

} // namespace kestrin::ui
