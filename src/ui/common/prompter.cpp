#include "ui/common/prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kestrin::ui {

Prompter::~Prompter() = default;

QString programCaption()
{
    return QStringLiteral("Kestrin sweeper");
}

namespace {

QMessageBox::Icon messageBoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<QMessageBox> makeShowBox(PromptIcon icon, const QString& caption, const QString& text, QWidget* parent)
{
    return std::make_unique<QMessageBox>(messageBoxIcon(icon), caption, text, QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> makeAskBox(const QString& caption, const QString& text, QWidget* parent)
{
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    // Qt's own button texts are English unless its translations are installed;
    // the program's questions are Polish, their answers too.
    box->button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box->button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box->setDefaultButton(QMessageBox::No);
    return box;
}

void MessageBoxPrompter::show(PromptIcon icon, const QString& caption, const QString& text)
{
    makeShowBox(icon, caption, text, QApplication::activeWindow())->exec();
}

bool MessageBoxPrompter::ask(const QString& caption, const QString& text)
{
    return makeAskBox(caption, text, QApplication::activeWindow())->exec() == QMessageBox::Yes;
}

} // namespace kestrin::ui
