#pragma once
// The "Lista przyjaciół": the friend list, its commands and the note on what a
// friend's mail is spared. A view over the session.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QPointer>
#include <QWidget>

namespace kestrin::ui {

class RecordList;
class Tfri_addform;

class FriendsPage : public QWidget {
    Q_OBJECT
public:
    FriendsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    RecordList& list() const { return *list_; }
    // "Dodaj..." (id -1) leaves the editor open for the next friend; "Edytuj..." closes it.
    Tfri_addform* openFriendEditor(int id, bool closeAfterSave);
    Tfri_addform* friendEditor() const;

private:
    session::ProgramSession& session_;
    Prompter& prompter_;
    RecordList* list_ = nullptr;
    QPointer<Tfri_addform> editor_;
};

} // namespace kestrin::ui
