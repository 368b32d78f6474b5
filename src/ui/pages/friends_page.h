#pragma once
// The "Lista przyjaciół": the friend list, its commands and the note on what a
// friend's mail is spared. A view over the session.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QWidget>

namespace kestrin::ui {

class RecordList;

class FriendsPage : public QWidget {
    Q_OBJECT
public:
    FriendsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    RecordList& list() const { return *list_; }

private:
    RecordList* list_ = nullptr;
};

} // namespace kestrin::ui
