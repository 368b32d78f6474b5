#pragma once
// Every message box of the program goes through one prompter, so that tests
// can answer the questions and read back caption, text and icon.
#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

namespace kestrin::ui {

enum class PromptIcon { Information, Warning, Error, Question };

class Prompter {
public:
    virtual ~Prompter();
    // A box with an OK button; returns when the user closed it.
    virtual void show(PromptIcon icon, const QString& caption, const QString& text) = 0;
    // A Yes/No question with the question icon; true = Yes.
    virtual bool ask(const QString& caption, const QString& text) = 0;
};

// The caption of program-level boxes.
QString programCaption(); // "Kestrin sweeper"

// The boxes MessageBoxPrompter opens, not yet shown: OK for show(), Yes and
// No (No the default) for ask(). The screenshot tool draws them as well.
std::unique_ptr<QMessageBox> makeShowBox(PromptIcon icon, const QString& caption, const QString& text, QWidget* parent);
std::unique_ptr<QMessageBox> makeAskBox(const QString& caption, const QString& text, QWidget* parent);

// QMessageBox, modal to the active window.
class MessageBoxPrompter : public Prompter {
public:
    void show(PromptIcon icon, const QString& caption, const QString& text) override;
    bool ask(const QString& caption, const QString& text) override;
};

} // namespace kestrin::ui
