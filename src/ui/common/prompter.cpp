#include "ui/common/prompter.h"

#include <QApplication>
#include <QMessageBox>

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

void MessageBoxPrompter::show(PromptIcon icon, const QString& caption, const QString& text)
{
    QMessageBox box(messageBoxIcon(icon), caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool MessageBoxPrompter::ask(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace kestrin::ui
