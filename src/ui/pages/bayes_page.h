#pragma once
// The "Filtr Bayesa": the word filter's switches. A view over
// the session; its lists and commands are built on this page as they come.
#include "session/program_session.h"

#include <QWidget>

namespace kestrin::ui {

class BayesPage : public QWidget {
    Q_OBJECT
public:
    explicit BayesPage(session::ProgramSession& session, QWidget* parent = nullptr);

private:
    session::ProgramSession& session_;
};

} // namespace kestrin::ui
