// What the main window shows of applied settings: the tray menu's default
// item, the transparency and the idle tray icon.
#include "main_test_support.h"

#include "ui/common/tray_icon_files.h"

#include <QAction>
#include <filesystem>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

QAction* trayActionItem(ui::Tmain& form)
{
    return form.findChild<QAction*>(QStringLiteral("pop_trayaction"));
}

TEST(MainSettings, TransparencyAndTheTrayMenuItemFollowTheirLists)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    Settings& settings = window.session->data().settings;
    const struct {
        int position;
        double opacity;
    } opacities[] = {{5, 127 / 255.0}, {3, 179 / 255.0}, {9, 25 / 255.0}, {1, 229 / 255.0}, {0, 1.0}};
    for (const auto& c : opacities) {
        settings.alpha = c.position;
        window.session->applySettings();
        EXPECT_NEAR(form.windowOpacity(), c.opacity, 0.01) << c.position;
    }
    const struct {
        int position;
        const char* caption;
    } actions[] = {{0, "Pokaż okno programu"},
                   {1, "Uruchom program pocztowy"},
                   {2, "Sprawdź konta pocztowe"},
                   {3, "Pokaż zarchiwizowane wiadomości"}};
    for (const auto& c : actions) {
        settings.defaultTrayAction = c.position;
        window.session->applySettings();
        EXPECT_EQ(trayActionItem(form)->text(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(trayActionItem(form)->isVisible());
    }
    // A position outside the list leaves the item as it was.
    settings.defaultTrayAction = 9;
    window.session->applySettings();
    EXPECT_EQ(trayActionItem(form)->text(), QStringLiteral("Pokaż zarchiwizowane wiadomości"));
}

TEST(MainSettings, IdleTrayIconFollowsTheSettingAndAMissingFileIsReportedOnce)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    window.session->data().settings.normalTrayIcon = 3;
    window.session->applySettings();
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 3));

    std::filesystem::remove(folder.file("data/tray4.ico"));
    window.session->data().settings.normalTrayIcon = 4;
    window.session->applySettings();
    window.session->applySettings();
    runEventsFor(50);
    ASSERT_EQ(window.prompter.shown.size(), 1u);
    EXPECT_EQ(window.prompter.shown[0].icon, ui::PromptIcon::Error);
    EXPECT_TRUE(window.prompter.shown[0].text.contains(QStringLiteral("tray4.ico")));
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 3)) << "the last icon that could be read stays";
}

} // namespace
} // namespace kestrin::test
