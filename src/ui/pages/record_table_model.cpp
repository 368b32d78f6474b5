#include "ui/pages/record_table_model.h"

#include "ui/artwork/glyphs.h"
#include "ui/common/win1250_text.h"

namespace kestrin::ui {
namespace {

// The list's small images: 0 a rule, 1 a friend, 2 an account. A rule names its
// own `icon`, which is 0 for every loaded or stored rule.
constexpr int kAccountRowImage = 2;
constexpr int kFriendRowImage = 1;

artwork::Glyph imageGlyph(int image)
{
    switch (image) {
    case kFriendRowImage:
        return artwork::Glyph::Friend;
    case kAccountRowImage:
        return artwork::Glyph::Mail;
    default:
        return artwork::Glyph::Rule;
    }
}

} // namespace

QPixmap recordImage(int image)
{
    return artwork::glyph(static_cast<int>(imageGlyph(image)));
}

RecordTableModel::RecordTableModel(session::ProgramSession& session, RecordPage page, QStringList headers,
                                   QObject* parent)
    : QAbstractTableModel(parent), session_(session), page_(page), headers_(std::move(headers))
{
    refresh();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const size_t id = idAt(index.row());
    const auto column = static_cast<size_t>(index.column());
    if (role == Qt::DisplayRole && column < cells_[id].size())
        return fromWin1250(cells_[id][column]);
    if (role == Qt::DecorationRole && column == 0)
        return recordImage(rowImage(id));
    return {};
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers_.size())
        return headers_[section];
    return {};
}

void RecordTableModel::setSortState(SortState sort)
{
    sort_ = sort;
    refresh();
}

void RecordTableModel::refresh()
{
    beginResetModel();
    cells_ = pageCells(page_, session_.data());
    order_ = sortedRowOrder(page_, cells_, session_.data().rules, sort_);
    endResetModel();
}

int RecordTableModel::rowImage(size_t id) const
{
    switch (page_) {
    case RecordPage::Accounts:
        return kAccountRowImage;
    case RecordPage::Rules:
        return id < session_.data().rules.size() ? session_.data().rules[id].icon : 0;
    case RecordPage::Friends:
        break;
    }
    return kFriendRowImage;
}

} // namespace kestrin::ui
