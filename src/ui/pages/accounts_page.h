#pragma once
// The "Konta pocztowe": the account list and its commands. A view over the session.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QWidget>

namespace kestrin::ui {

class RecordList;

class AccountsPage : public QWidget {
    Q_OBJECT
public:
    AccountsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    RecordList& list() const { return *list_; }

private:
    RecordList* list_ = nullptr;
};

} // namespace kestrin::ui
