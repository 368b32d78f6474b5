#pragma once
// One page's records as a table: rows in the page's sort order, cells and row
// images as the page shows them. Rebuilt from the session's records whenever
// they change, so a row's ID is always its record's position.
#include "engine/record_rows.h"
#include "session/program_session.h"

#include <QAbstractTableModel>
#include <QPixmap>

#include <vector>

namespace kestrin::ui {

// The lists' small images by number: 0 a rule, 1 a friend, 2 an account.
QPixmap recordImage(int image);

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RecordTableModel(session::ProgramSession& session, RecordPage page, QStringList headers, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setSortState(SortState sort);
    SortState sortState() const { return sort_; }
    // The record ID shown in the row.
    size_t idAt(int row) const { return order_.at(static_cast<size_t>(row)); }
    // Reads the records again.
    void refresh();

private:
    int rowImage(size_t id) const;

    session::ProgramSession& session_;
    RecordPage page_;
    QStringList headers_;
    SortState sort_;
    std::vector<std::vector<std::string>> cells_; // by ID
    std::vector<size_t> order_;                   // IDs in row order
};

} // namespace kestrin::ui
