#pragma once
// Tfri_addform, "Kestrin - dodawanie przyjaciela": the form of one friend. The
// save steps and the store are the session's, as for kestrin-cli.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kestrin::ui {

class Tfri_addform : public QDialog {
    Q_OBJECT
public:
    // editIndex -1 opens a new-friend form; closeAfterSave is off for the
    // page's "Dodaj...", on for "Edytuj..." and the report's command.
    Tfri_addform(session::ProgramSession& session, Prompter& prompter, int editIndex, bool closeAfterSave,
                 QWidget* parent = nullptr);

    int editIndex() const { return editIndex_; }
    FriendRecord friendRecord() const;
    // Fills both boxes (the report pre-fills the sender this way).
    void showFriend(const FriendRecord& friendRecord);

public slots:
    void fri_addClick();
    void fri_cleanClick();

private:
    session::ProgramSession& session_;
    Prompter& prompter_;
    const int editIndex_;
    const bool closeAfterSave_;

    QLineEdit* name_ = nullptr;
    QLineEdit* mail_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* clean_ = nullptr;
};

} // namespace kestrin::ui
