// The main window's creation: one copy per user, the hand-over of
// an older version's settings, the controls it is built with, where it shows
// itself, and the first check cycle started at once.
#include "main_test_support.h"

#include "platform/single_instance.h"
#include "storage/report_file.h"
#include "ui/common/tray_icon_files.h"
#include "ui/main/command_line.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

const QString kShortRefusal = QStringLiteral("Nie można uruchomić na raz dwóch kopii tego programu!");
const QString kLongRefusal = QStringLiteral(
    "Nie można uruchomić na raz dwóch kopii tego programu!\r\nJeżeli próbujesz dokonać aktualizacji reguł "
    "wiadomości za pomocą strony internetowej, przed wykonaniem tej czynności zamknij aplikację a następnie ponów "
    "próbę.");
const QString kOldVersion =
    QStringLiteral("Wykryto starą wersję pliku konfiguracji! Po zatwierdzeniu tej wiadomości zostanie uruchomiona "
                   "aplikacja konwertująca stare ustawienia do nowej wersji.");

void touch(const std::string& path)
{
    std::ofstream(path, std::ios::binary) << "x";
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

QStringList actionNames(const QList<QAction*>& actions)
{
    QStringList names;
    for (const QAction* action : actions)
        names.append(action->isSeparator() && action->objectName().isEmpty() ? QStringLiteral("-")
                                                                             : action->objectName());
    return names;
}

TEST(MainStart, SecondCopyIsRefusedWithTheRightMessageBeforeLoadingAnything)
{
    ProgramFolder folder;
    SingleInstanceLock firstCopy;
    ASSERT_TRUE(firstCopy.tryLock());
    {
        MainWindowHarness second(folder.path());
        EXPECT_FALSE(second.form->FormCreate());
        ASSERT_EQ(second.prompter.shown.size(), 1u);
        EXPECT_EQ(second.prompter.shown[0].icon, ui::PromptIcon::Error);
        EXPECT_EQ(second.prompter.shown[0].caption, QStringLiteral("Kestrin sweeper"));
        EXPECT_EQ(second.prompter.shown[0].text, kShortRefusal);
        EXPECT_FALSE(second.form->isVisible());
        EXPECT_FALSE(second.form->findChild<QSystemTrayIcon*>(QStringLiteral("tray"))->isVisible());
        EXPECT_FALSE(second.form->session().state().cycleRunning);
    }
    {
        MainWindowHarness second(folder.path(), {QStringLiteral("/aktualizacja")});
        EXPECT_FALSE(second.form->FormCreate());
        ASSERT_EQ(second.prompter.shown.size(), 1u);
        EXPECT_EQ(second.prompter.shown[0].text, kLongRefusal);
    }
    // Nothing was written into the folder the first copy owns.
    EXPECT_TRUE(filesIn(folder.file("config")).empty());
    firstCopy.unlock();
    MainWindowHarness afterwards(folder.path());
    EXPECT_TRUE(afterwards.form->FormCreate());
    EXPECT_TRUE(afterwards.prompter.shown.empty());
    // Now this window holds the lock.
    SingleInstanceLock third;
    EXPECT_FALSE(third.tryLock());
}

// Another program folder is no second mailbox set: the copy started on it, with
// --home in either spelling, meets the same refusal as one without.
TEST(MainStart, CopyOnAnotherFolderIsRefusedAsASecondCopy)
{
    ProgramFolder running;
    ProgramFolder other;
    MainWindowHarness first(running.path());
    ASSERT_TRUE(first.form->FormCreate());
    const QString home = QString::fromStdString(other.path());
    const std::pair<QStringList, QString> cases[] = {
        {{QStringLiteral("kestrin"), QStringLiteral("--home"), home}, kShortRefusal},
        {{QStringLiteral("kestrin"), QStringLiteral("--home=") + home}, kShortRefusal},
        {{QStringLiteral("kestrin"), QStringLiteral("--home"), home, QStringLiteral("/aktualizacja")}, kLongRefusal},
    };
    for (const auto& [arguments, refusal] : cases) {
        const ui::CommandLine commandLine = ui::parseCommandLine(arguments);
        ASSERT_EQ(commandLine.home, other.path());
        MainWindowHarness second(*commandLine.home, commandLine.otherParameters);
        EXPECT_FALSE(second.form->FormCreate());
        ASSERT_EQ(second.prompter.shown.size(), 1u) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(second.prompter.shown[0].text, refusal);
    }
    EXPECT_TRUE(filesIn(other.file("config")).empty());
}

TEST(MainStart, OlderSettingsAreHandedToTheConverterOrItsWebPage)
{
    {
        ProgramFolder folder;
        touch(folder.file("config.ini"));
        MainWindowHarness window(folder.path());
        EXPECT_FALSE(window.form->FormCreate());
        ASSERT_EQ(window.prompter.shown.size(), 2u);
        EXPECT_EQ(window.prompter.shown[0].icon, ui::PromptIcon::Warning);
        EXPECT_EQ(window.prompter.shown[0].caption, QStringLiteral("Kestrin sweeper"));
        EXPECT_EQ(window.prompter.shown[0].text, kOldVersion);
        EXPECT_EQ(window.prompter.shown[1].icon, ui::PromptIcon::Warning);
        EXPECT_EQ(window.prompter.shown[1].text,
                  QStringLiteral("Nie można odnaleźć programu konwertera! Przejdź na stronę "
                                 "https://kestrin.example.org/, w celu pobrania niezbędnych składników!"));
        ASSERT_EQ(window.shell.requests.size(), 1u);
        EXPECT_EQ(window.shell.requests[0].target, QStringLiteral("https://kestrin.example.org/"));
        EXPECT_FALSE(window.form->session().state().cycleRunning);
    }
    {
        ProgramFolder folder;
        touch(folder.file("config/regs_database.dat"));
        touch(folder.file("Convert.exe"));
        MainWindowHarness window(folder.path());
        EXPECT_FALSE(window.form->FormCreate());
        ASSERT_EQ(window.prompter.shown.size(), 1u);
        EXPECT_EQ(window.prompter.shown[0].text, kOldVersion);
        ASSERT_EQ(window.shell.requests.size(), 1u);
        EXPECT_EQ(window.shell.requests[0].target, QString::fromStdString(folder.file("Convert.exe")));
    }
    {
        // Converted already: the new files exist beside the old ones.
        ProgramFolder folder;
        touch(folder.file("config.ini"));
        touch(folder.file("config/acc_database2.dat"));
        MainWindowHarness window(folder.path());
        EXPECT_TRUE(window.form->FormCreate());
        EXPECT_TRUE(window.prompter.shown.empty());
        EXPECT_TRUE(window.shell.requests.empty());
    }
}

TEST(MainStart, WindowIsBuiltWithItsToolbarPagesStatusBarAndTrayMenu)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin sweeper"));

    auto* toolbar = form.findChild<QToolBar*>(QStringLiteral("toolbar"));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(actionNames(toolbar->actions()),
              (texts({"tool_checknow", "tool_trash", "sep1", "tool_addred", "tool_addacc", "tool_addfri", "sep2",
                      "tool_sett", "tool_mail", "sep4", "tool_appinfo", "sep3", "tool_update"})));
    const auto action = [&form](const char* name) { return form.findChild<QAction*>(QLatin1String(name)); };
    EXPECT_EQ(action("tool_checknow")->text(), QStringLiteral("Sprawdź teraz konta pocztowe"));
    EXPECT_EQ(action("tool_checknow")->toolTip(), QStringLiteral("Sprawdź teraz konta pocztowe"));
    EXPECT_EQ(action("tool_mail")->toolTip(), QStringLiteral("Uruchom program pocztowy"));
    EXPECT_EQ(action("tool_update")->text(), QStringLiteral("Pobierz najnowszą wersję programu!"));
    EXPECT_FALSE(action("tool_update")->isVisible());
    EXPECT_FALSE(action("sep3")->isVisible());
    // Commands whose windows are not built yet are present, greyed, and say so.
    for (const char* name : {"tool_trash", "tool_addred", "tool_addacc", "tool_addfri", "tool_appinfo"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
        EXPECT_TRUE(action(name)->toolTip().endsWith(QStringLiteral("(jeszcze niedostępne)"))) << name;
    }
    EXPECT_EQ(action("tool_addred")->text(), QStringLiteral("Dodaj nową regułę wiadomości"));

    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pages"));
    ASSERT_NE(pages, nullptr);
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i)
        titles.append(pages->tabText(i));
    EXPECT_EQ(titles, (texts({"Raport", "Statystyki", "Konta pocztowe", "Filtr Bayesa", "Reguły wiadomości",
                              "Lista przyjaciół"})));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("pop3_checknow"))->text(),
              QStringLiteral("&Sprawdź teraz / usuń"));
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("stat_reset"))->text(), QStringLiteral("&Wyczyść"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("stat_todel"))->text(), QStringLiteral("0"));

    EXPECT_EQ(statusPanel(form, 0), QStringLiteral("Kestrin sweeper uruchomiony..."));
    EXPECT_EQ(statusPanel(form, 1), QStringLiteral("-"));
    EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("status_panel1"))->alignment() & Qt::AlignHCenter);

    auto* killTimer = &form.session().checkTimer();
    auto* blink = form.findChild<QTimer*>(QStringLiteral("updateblink_timer"));
    EXPECT_FALSE(killTimer->isActive());
    EXPECT_FALSE(blink->isActive());
    EXPECT_EQ(blink->interval(), 400);

    auto* menu = form.findChild<QMenu*>(QStringLiteral("pop_menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(actionNames(menu->actions()),
              (texts({"pop_update", "pop_update_n", "pop_trayaction", "pop_trayaction_n", "pop_show", "pop_hide", "-",
                      "pop_mail", "pop_checknow", "pop_trash", "-", "pop_zakoncz"})));
    for (const char* hidden : {"pop_update", "pop_update_n", "pop_trayaction", "pop_trayaction_n"})
        EXPECT_FALSE(action(hidden)->isVisible()) << hidden;
    EXPECT_EQ(action("pop_show")->text(), QStringLiteral("Pokaż okno programu"));
    EXPECT_EQ(action("pop_hide")->text(), QStringLiteral("Ukryj okno programu"));
    EXPECT_EQ(action("pop_checknow")->text(), QStringLiteral("Sprawdź konta pocztowe"));
    EXPECT_EQ(action("pop_trash")->text(), QStringLiteral("Pokaż zarchiwizowane wiadomości"));
    EXPECT_FALSE(action("pop_trash")->isEnabled());
    EXPECT_EQ(action("pop_zakoncz")->text(), QStringLiteral("Zakończ"));
    EXPECT_EQ(form.findChild<QSystemTrayIcon*>(QStringLiteral("tray"))->toolTip(), QStringLiteral("Kestrin sweeper"));
}

TEST(MainStart, StartsAsATrayIconOnlyWhereANotificationAreaExists)
{
    ProgramFolder folder;
    {
        MainWindowHarness window(folder.path());
        window.trayAvailable = true;
        ASSERT_TRUE(window.form->FormCreate());
        EXPECT_FALSE(window.form->isVisible());
        EXPECT_TRUE(window.form->trayMode());
        EXPECT_TRUE(window.form->findChild<QSystemTrayIcon*>(QStringLiteral("tray"))->isVisible());
    }
    {
        // The offscreen platform has no notification area: the window is the way in.
        MainWindowHarness window(folder.path());
        window.trayAvailable = false;
        ASSERT_TRUE(window.form->FormCreate());
        EXPECT_TRUE(window.form->isVisible());
        EXPECT_FALSE(window.form->trayMode());
    }
}

TEST(MainStart, FirstCycleStartsAtOnceAndItsEndSavesTheReport)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());
    form.session().data().settings.skipNetCheck = true;
    form.session().data().report = {"run|Uruchomienie aplikacji: 2025-01-13 / 08:00:00"};
    auto* killTimer = &form.session().checkTimer();
    auto* checkNow = form.findChild<QPushButton*>(QStringLiteral("pop3_checknow"));
    auto* toolCheckNow = form.findChild<QAction*>(QStringLiteral("tool_checknow"));

    form.session().kill_timerTimer();
    // Started before anything else happened in the event loop.
    EXPECT_TRUE(form.session().state().cycleRunning);
    EXPECT_FALSE(killTimer->isActive());
    EXPECT_FALSE(checkNow->isEnabled());
    EXPECT_FALSE(toolCheckNow->isEnabled());
    EXPECT_EQ(form.trayIconFile(), ui::scanStartIconPath(folder.path()));

    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }));
    EXPECT_EQ(statusPanel(form, 0), QStringLiteral("Nie skonfigurowano żadnych kont pocztowych!"));
    EXPECT_EQ(statusPanel(form, 1), QStringLiteral("-"));
    EXPECT_TRUE(killTimer->isActive());
    EXPECT_TRUE(checkNow->isEnabled());
    EXPECT_TRUE(toolCheckNow->isEnabled());
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 0));
    EXPECT_EQ(loadReportFile(reportFilePath(folder.path())), form.session().data().report);
    EXPECT_TRUE(window.prompter.shown.empty());
}

} // namespace
} // namespace kestrin::test
