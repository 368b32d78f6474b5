#pragma once
// The "Reguły wiadomości": the rule list, its commands and the rule details. A view over
// the session; its lists and commands are built on this page as they come.
#include "session/program_session.h"

#include <QWidget>

namespace kestrin::ui {

class RulesPage : public QWidget {
    Q_OBJECT
public:
    explicit RulesPage(session::ProgramSession& session, QWidget* parent = nullptr);

private:
    session::ProgramSession& session_;
};

} // namespace kestrin::ui
