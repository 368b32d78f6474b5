#pragma once
// Treg_addform, "Kestrin - dodawanie reguły wiadomości": the form of one rule.
// It only edits; the save steps and the store are the session's, so the
// window refuses and asks exactly what kestrin-cli does.
#include "engine/rule_save.h"
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kestrin::ui {

class Treg_addform : public QDialog {
    Q_OBJECT
public:
    // editIndex -1 opens a new-rule form, otherwise the rule at that position.
    // closeAfterSave: off for the rule page's "Dodaj...", so several rules can
    // be entered in a row.
    Treg_addform(session::ProgramSession& session, Prompter& prompter, int editIndex, bool closeAfterSave,
                 QWidget* parent = nullptr);

    int editIndex() const { return editIndex_; }
    // What the controls hold, as the save steps read it.
    RuleDraft draft() const;
    // Shows a rule in the controls, as the edit set-up does (the report's
    // commands pre-fill a new rule this way).
    void showRule(const RuleRecord& rule);
    // The report's "rule from a field": the text as name and value, the field
    // at fieldPosition, the condition "odpowiada dokładnie treści".
    void showReportField(const QString& text, int fieldPosition);

public slots:
    void reg_addClick();
    void reg_cleanClick();
    void reg_typChange();
    void reg_actClick();

private:
    QWidget* makeConditionFrame();
    QWidget* makeActionFrame();
    QLayout* makeButtons();
    void fillValuePresets(int field);
    void limitReplyText();

    session::ProgramSession& session_;
    Prompter& prompter_;
    const int editIndex_;
    const bool closeAfterSave_;

    QLineEdit* name_ = nullptr;
    QLineEdit* stat_ = nullptr;
    QComboBox* field_ = nullptr;
    QComboBox* condition_ = nullptr;
    QComboBox* value_ = nullptr;
    QListWidget* actions_ = nullptr;
    QLabel* sendToLabel_ = nullptr;
    QLineEdit* sendTo_ = nullptr;
    QLabel* replyLabel_ = nullptr;
    QPlainTextEdit* reply_ = nullptr;
    QCheckBox* noFriends_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* clean_ = nullptr;
};

} // namespace kestrin::ui
