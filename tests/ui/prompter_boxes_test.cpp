// The boxes every window's messages and questions open: caption, text, the
// icon the message's kind asks for, and buttons a Polish user can read.
#include "ui/common/prompter.h"

#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

TEST(PrompterBoxes, QuestionsHavePolishYesAndNoWithNoAsTheDefault)
{
    const auto box = ui::makeAskBox(QStringLiteral("Czyszczenie raportu"),
                                    QStringLiteral("Czy na pewno usunąć wszystkie elementy raportu?"), nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Czyszczenie raportu"));
    EXPECT_EQ(box->text(), QStringLiteral("Czy na pewno usunąć wszystkie elementy raportu?"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    ASSERT_EQ(box->buttons().size(), 2);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Tak"));
    EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("&Nie"));
    // Enter must not delete anything.
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
}

TEST(PrompterBoxes, MessagesShowTheIconOfTheirKindAndOneOkButton)
{
    const std::pair<ui::PromptIcon, QMessageBox::Icon> kinds[] = {
        {ui::PromptIcon::Information, QMessageBox::Information},
        {ui::PromptIcon::Warning, QMessageBox::Warning},
        {ui::PromptIcon::Error, QMessageBox::Critical},
        {ui::PromptIcon::Question, QMessageBox::Question}};
    for (const auto& [kind, icon] : kinds) {
        const auto box = ui::makeShowBox(kind, ui::programCaption(), QStringLiteral("Zażółć gęślą jaźń"), nullptr);
        EXPECT_EQ(box->icon(), icon);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Kestrin sweeper"));
        EXPECT_EQ(box->text(), QStringLiteral("Zażółć gęślą jaźń"));
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
    }
}

} // namespace
} // namespace kestrin::test
