#include "ui/pages/record_list.h"

#include "engine/record_deletion.h"
#include "ui/common/win1250_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrin::ui {

RecordList::RecordList(session::ProgramSession& session, Prompter& prompter, RecordListSpec spec, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter), spec_(std::move(spec)),
      model_(session, spec_.page, spec_.headers)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QTreeView(this);
    view_->setObjectName(spec_.prefix + QStringLiteral("_list"));
    view_->setModel(&model_);
    view_->setRootIsDecorated(false);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->header()->setSectionsClickable(true);
    view_->header()->setSortIndicatorShown(true);
    layout->addWidget(view_, 1);
    wait_ = new QLabel(QStringLiteral("Przetwarzanie danych, proszę czekać..."), this);
    wait_->setObjectName(spec_.prefix + QStringLiteral("_wait"));
    wait_->setAlignment(Qt::AlignCenter);
    wait_->hide();
    layout->addWidget(wait_, 1);

    auto* buttons = new QHBoxLayout;
    create_ = addButton(buttons, QStringLiteral("_create"), QStringLiteral("&Dodaj..."));
    connect(addButton(buttons, QStringLiteral("_del"), QStringLiteral("&Usuń")), &QPushButton::clicked, this,
            &RecordList::delClick);
    edit_ = addButton(buttons, QStringLiteral("_edit"), QStringLiteral("&Edytuj..."));
    buttons->addStretch(1);
    buttons->addWidget(new QLabel(QStringLiteral("Ilość pozycji:"), this));
    count_ = new QLabel(this);
    count_->setObjectName(spec_.prefix + QStringLiteral("_count"));
    buttons->addWidget(count_);
    buttons->addStretch(1);
    options_ = addButton(buttons, QStringLiteral("_opcje"), QStringLiteral("Opcje"));
    layout->addLayout(buttons);
    setEditor(nullptr);

    connect(create_, &QPushButton::clicked, this, &RecordList::createClick);
    connect(edit_, &QPushButton::clicked, this, &RecordList::editClick);
    connect(view_, &QTreeView::doubleClicked, this, &RecordList::editClick);
    connect(view_->header(), &QHeaderView::sectionClicked, this, &RecordList::headerClick);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &RecordList::selectionChanged);
    connect(&model_, &QAbstractItemModel::modelReset, this, &RecordList::selectionChanged);
    connect(&session_, &session::ProgramSession::recordsChanged, this, [this](RecordKind kind) {
        if (kind == spec_.kind)
            refresh();
    });
    // A cycle's hits change the rules' counts.
    connect(&session_, &session::ProgramSession::cycleEnded, this, &RecordList::refresh);
    connect(&session_, &session::ProgramSession::startUpApplied, this, &RecordList::restoreSort);
    refresh();
}

QPushButton* RecordList::addButton(QHBoxLayout* row, const QString& suffix, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(spec_.prefix + suffix);
    row->addWidget(button);
    return button;
}

void RecordList::setEditor(std::function<void(int id)> openEditor)
{
    openEditor_ = std::move(openEditor);
    create_->setEnabled(bool(openEditor_));
    edit_->setEnabled(bool(openEditor_));
}

std::vector<size_t> RecordList::selectedIds() const
{
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<size_t> ids;
    for (const QModelIndex& row : rows)
        ids.push_back(model_.idAt(row.row()));
    return ids;
}

std::optional<size_t> RecordList::singleSelectedId() const
{
    const std::vector<size_t> ids = selectedIds();
    return ids.size() == 1 ? std::optional<size_t>(ids.front()) : std::nullopt;
}

void RecordList::createClick()
{
    if (openEditor_)
        openEditor_(-1);
}

void RecordList::editClick()
{
    if (!openEditor_)
        return;
    const std::optional<size_t> id = singleSelectedId();
    if (!id) {
        prompter_.show(PromptIcon::Warning, spec_.editCaption, spec_.editWarning);
        return;
    }
    openEditor_(static_cast<int>(*id));
}

void RecordList::delClick()
{
    const std::vector<size_t> ids = selectedIds();
    if (ids.empty()) {
        prompter_.show(PromptIcon::Warning, spec_.deleteCaption, spec_.deleteNoneWarning);
        return;
    }
    if (!prompter_.ask(spec_.deleteCaption, fromWin1250(recordDeletionQuestion(spec_.kind, ids.size()))))
        return;
    deleteSelected(ids);
}

void RecordList::deleteSelected(const std::vector<size_t>& ids)
{
    view_->hide();
    wait_->show();
    repaint();
    const session::ChangeResult result = session_.deleteRecords(spec_.kind, ids);
    wait_->hide();
    view_->show();
    if (!result.saveError.empty())
        prompter_.show(PromptIcon::Error, programCaption(), fromWin1250(result.saveError));
}

void RecordList::headerClick(int column)
{
    const SortState sort = sortStateAfterClick(model_.sortState(), column);
    session_.data().settings.*spec_.sortColumn = sort.column;
    session_.data().settings.*spec_.sortDescending = sort.descending;
    model_.setSortState(sort);
    view_->header()->setSortIndicator(sort.column, sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void RecordList::restoreSort()
{
    const Settings& settings = session_.data().settings;
    const SortState sort = restoredSortState(settings.*spec_.sortColumn, settings.*spec_.sortDescending);
    model_.setSortState(sort);
    view_->header()->setSortIndicator(sort.column, sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void RecordList::refresh()
{
    model_.refresh();
    count_->setText(QString::number(model_.rowCount()));
    fitColumns();
}

// Each column as wide as its texts, within bounds, so that one long value does not push the others away.
void RecordList::fitColumns()
{
    constexpr int kNarrowest = 40;
    constexpr int kWidest = 220;
    for (int column = 0; column < model_.columnCount(); ++column) {
        view_->resizeColumnToContents(column);
        view_->setColumnWidth(column, std::clamp(view_->columnWidth(column), kNarrowest, kWidest));
    }
}

} // namespace kestrin::ui
