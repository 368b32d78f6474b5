#pragma once
// The "Reguły wiadomości": the rule list, its commands and the details of the
// selected rule (share of all hits, power, the actions). A view over the session.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace kestrin::ui {

class RecordList;
class Treg_addform;
class Tsimreg;

// The 70 x 16 picture of a rule's actions: archive, forward, reply, delete.
QImage ruleActionPicture(const RuleRecord& rule);

class RulesPage : public QWidget {
    Q_OBJECT
public:
    RulesPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    RecordList& list() const { return *list_; }
    // Opens the rule editor (modal, -1 for a new rule) and returns it, so a
    // caller can pre-fill it; an editor already open is brought forward.
    Treg_addform* openRuleEditor(int id, bool closeAfterSave);
    Tsimreg* openOverlapSearch();
    Treg_addform* ruleEditor() const;

private:
    QWidget* makeDetailsPanel();
    void makeOptionsMenu();
    void showDetails();

    session::ProgramSession& session_;
    Prompter& prompter_;
    RecordList* list_ = nullptr;
    QPointer<Treg_addform> editor_;
    QPointer<Tsimreg> overlapSearch_;
    QLabel* viewCount_ = nullptr;
    QLabel* viewAction_ = nullptr;
    QLabel* viewPower_ = nullptr;
    QProgressBar* viewPowerBar_ = nullptr;
};

} // namespace kestrin::ui
