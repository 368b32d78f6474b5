#pragma once
// The list half of the account, rule and friend pages: the sortable list, the
// "Dodaj / Usuń / Edytuj" buttons, the item count, the waiting label and the
// "Opcje" button. Deletion runs here, through the session, with the page's
// warnings and confirmation.
#include "engine/record_rows.h"
#include "session/program_session.h"
#include "ui/common/prompter.h"
#include "ui/pages/record_table_model.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeView;

namespace kestrin::ui {

struct RecordListSpec {
    RecordPage page;
    RecordKind kind;
    QString prefix; // control names: acc_list, reg_del, fri_count, ...
    QStringList headers;
    int32_t Settings::*sortColumn;
    bool Settings::*sortDescending;
    QString editCaption;
    QString editWarning;
    QString deleteCaption;
    QString deleteNoneWarning;
};

class RecordList : public QWidget {
    Q_OBJECT
public:
    RecordList(session::ProgramSession& session, Prompter& prompter, RecordListSpec spec, QWidget* parent = nullptr);

    QTreeView* view() const { return view_; }
    RecordTableModel& model() { return model_; }
    QPushButton* optionsButton() const { return options_; }
    // The IDs of the selected rows, in row order.
    std::vector<size_t> selectedIds() const;
    // The ID of the only selected row; none when no row or several are selected.
    std::optional<size_t> singleSelectedId() const;
    // The editor the add and edit commands open (-1 adds); until one is set they are off.
    void setEditor(std::function<void(int id)> openEditor);

public slots:
    void createClick();
    void editClick();
    void delClick();
    void headerClick(int column);
    void restoreSort();

signals:
    void selectionChanged();

private:
    void refresh();
    void fitColumns();
    void deleteSelected(const std::vector<size_t>& ids);
    QPushButton* addButton(QHBoxLayout* row, const QString& suffix, const QString& text);

    session::ProgramSession& session_;
    Prompter& prompter_;
    RecordListSpec spec_;
    RecordTableModel model_;
    QTreeView* view_ = nullptr;
    QLabel* wait_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* create_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* options_ = nullptr;
    std::function<void(int)> openEditor_;
};

} // namespace kestrin::ui
