#pragma once
// Tsimreg, "Kestrin sweeper - nakładające się reguły wiadomości": lists the
// rules other rules already cover and deletes the ones left checked.
#include "engine/rule_overlaps.h"
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;

namespace kestrin::ui {

class Tsimreg : public QDialog {
    Q_OBJECT
public:
    Tsimreg(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    // The lines as the list shows them, with their check marks.
    std::vector<OverlapLine> lines() const;

public slots:
    void simreg_searchClick();
    void simreg_delClick();
    void selallClick();
    void dselallClick();
    void invselClick();

private:
    QWidget* makeButtons();
    void showLines(const std::vector<OverlapLine>& lines);
    void setWaiting(bool waiting);
    void setEveryCheck(const std::function<Qt::CheckState(Qt::CheckState)>& next);

    session::ProgramSession& session_;
    Prompter& prompter_;
    QTreeWidget* list_ = nullptr;
    QLabel* wait_ = nullptr;
};

} // namespace kestrin::ui
