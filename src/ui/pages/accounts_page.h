#pragma once
// The "Konta pocztowe": the account list and its commands. A view over the session.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QPointer>
#include <QWidget>

namespace kestrin::ui {

class RecordList;
class Tpop3_addform;

class AccountsPage : public QWidget {
    Q_OBJECT
public:
    AccountsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    RecordList& list() const { return *list_; }
    // "Dodaj..." (id -1) leaves the editor open for the next account; "Edytuj..." closes it.
    Tpop3_addform* openAccountEditor(int id, bool closeAfterSave);
    Tpop3_addform* accountEditor() const;

private:
    session::ProgramSession& session_;
    Prompter& prompter_;
    RecordList* list_ = nullptr;
    QPointer<Tpop3_addform> editor_;
};

} // namespace kestrin::ui
