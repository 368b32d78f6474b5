#pragma once
// Every message box of the program goes through one prompter, so that tests
// can answer the questions and read back caption, text and icon.
#include <QString>

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

// QMessageBox, modal to the active window.
class MessageBoxPrompter : public Prompter {
public:
    void show(PromptIcon icon, const QString& caption, const QString& text) override;
    bool ask(const QString& caption, const QString& text) override;
};

} // namespace kestrin::ui
