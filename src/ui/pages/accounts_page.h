#pragma once
// The "Konta pocztowe": the account list and its commands. A view over
// the session; its lists and commands are built on this page as they come.
#include "session/program_session.h"

#include <QWidget>

namespace kestrin::ui {

class AccountsPage : public QWidget {
    Q_OBJECT
public:
    explicit AccountsPage(session::ProgramSession& session, QWidget* parent = nullptr);

private:
    session::ProgramSession& session_;
};

} // namespace kestrin::ui
