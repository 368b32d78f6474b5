#pragma once
// The "Statystyki": the run's and all-time counters and their bars. A view over
// the session; its lists and commands are built on this page as they come.
#include "session/program_session.h"

#include <QWidget>

namespace kestrin::ui {

class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsPage(session::ProgramSession& session, QWidget* parent = nullptr);

private:
    session::ProgramSession& session_;
};

} // namespace kestrin::ui
