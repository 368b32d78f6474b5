// The end of the program: "Zakończ" during a cycle that a server keeps
// waiting, a save that fails, saving switched off, and the termination signals.
#include "main_test_support.h"

#include "peers/scripted_server.h"
#include "platform/single_instance.h"
#include "storage/temporary_files.h"

#include <QAction>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

const char* const kStoredFiles[] = {"config/options.ini",       "config/acc_database2.dat", "config/regs_database2.dat",
                                    "config/fri_database2.dat", "config/bay_database2.dat", "config/report.dat"};

void writeTemporaryFiles(const ProgramFolder& folder)
{
    for (const char* name : kTemporaryFileNames)
        std::ofstream(folder.file(name)) << "scratch";
}

bool anyTemporaryFileLeft(const ProgramFolder& folder)
{
    return std::any_of(std::begin(kTemporaryFileNames), std::end(kTemporaryFileNames),
                       [&folder](const char* name) { return fs::exists(folder.file(name)); });
}

RuleRecord deletingRule()
{
    RuleRecord rule;
    rule.name = "Promocje";
    rule.typ = 1; // sender
    rule.sub = 0; // contains
    rule.str = "sklep.example";
    rule.act = {false, false, false, true};
    return rule;
}

TEST(MainShutdown, QuitDuringAStalledCycleEndsAtOnceSavesEverythingAndSendsNoQuit)
{
    if (!networkPresent())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    ProgramFolder folder;
    std::vector<std::string> script = pop3Login();
    for (const char* row : {"C: STAT", "S: +OK 1 300", "C: LIST 1", "S: +OK 1 300"})
        script.emplace_back(row);
    for (const std::string& row :
         pop3Retrieve(1, mailMessage("Sklep <promocje@sklep.example>", "Promocja", "p1@sklep.example")))
        script.push_back(row);
    // The server takes the deletion and then keeps the client waiting for its answer.
    for (const char* row : {"C: DELE 1", "WAIT 3000", "S: +OK", "C: QUIT", "S: +OK bye"})
        script.emplace_back(row);
    ScriptedServer server(script);

    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());
    form.session().data().settings.skipNetCheck = true;
    form.session().data().accounts = {loopbackAccount(server.port())};
    form.session().data().rules = {deletingRule()};
    writeTemporaryFiles(folder);
    fs::remove(folder.file("~message.txt"));

    form.session().kill_timerTimer();
    // The message was fetched whole (saved as ~message.txt); its deletion follows at once.
    ASSERT_TRUE(waitUntil([&folder] { return fs::exists(folder.file("~message.txt")); }));
    runEventsFor(300);
    ASSERT_TRUE(form.session().state().cycleRunning);

    const auto start = std::chrono::steady_clock::now();
    form.findChild<QAction*>(QStringLiteral("pop_zakoncz"))->trigger();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(2));

    EXPECT_TRUE(form.shutDown());
    EXPECT_EQ(window.quitRequests, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.findChild<QSystemTrayIcon*>(QStringLiteral("tray"))->isVisible());
    for (const char* file : kStoredFiles)
        EXPECT_TRUE(fs::exists(folder.file(file))) << file;
    EXPECT_FALSE(anyTemporaryFileLeft(folder));
    EXPECT_TRUE(window.prompter.shown.empty());
    // The cancelled cycle changed nothing: no entry, no count.
    EXPECT_TRUE(form.session().data().report.empty());
    EXPECT_EQ(form.session().data().counters.run.checked, 0u);
    // The lock is free for the next start.
    SingleInstanceLock next;
    EXPECT_TRUE(next.tryLock());

    server.finish();
    const auto& received = server.received();
    EXPECT_NE(std::find(received.begin(), received.end(), "DELE 1"), received.end());
    // Without QUIT the server carries out no deletion (RFC 1939).
    EXPECT_EQ(std::find(received.begin(), received.end(), "QUIT"), received.end());

    // Late events of the cancelled worker change nothing either.
    runEventsFor(100);
    EXPECT_TRUE(form.session().data().report.empty());
    EXPECT_EQ(window.quitRequests, 1);
    form.FormCloseQuery(); // a second request is no second shutdown
    EXPECT_EQ(window.quitRequests, 1);
}

TEST(MainShutdown, SaveFailureIsReportedAndSavingSwitchedOffWritesNothing)
{
    {
        ProgramFolder folder;
        MainWindowHarness window(folder.path());
        ASSERT_TRUE(window.form->FormCreate());
        fs::create_directories(folder.file("config/options.ini")); // cannot be replaced by a file
        writeTemporaryFiles(folder);
        window.form->findChild<QAction*>(QStringLiteral("pop_zakoncz"))->trigger();
        ASSERT_EQ(window.prompter.shown.size(), 1u);
        EXPECT_EQ(window.prompter.shown[0].icon, ui::PromptIcon::Error);
        EXPECT_EQ(window.prompter.shown[0].caption, QStringLiteral("Kestrin sweeper"));
        EXPECT_EQ(window.prompter.shown[0].text,
                  QStringLiteral("Wystąpił błąd podczas zapisywania pliku konfiguracji!"));
        // The other files were saved all the same, and the shutdown went on.
        EXPECT_TRUE(fs::exists(folder.file("config/acc_database2.dat")));
        EXPECT_TRUE(fs::exists(folder.file("config/report.dat")));
        EXPECT_FALSE(anyTemporaryFileLeft(folder));
        EXPECT_EQ(window.quitRequests, 1);
    }
    {
        ProgramFolder folder;
        MainWindowHarness window(folder.path());
        ASSERT_TRUE(window.form->FormCreate());
        window.form->session().data().saveAllEnabled = false; // a database of an unknown version was loaded
        window.form->findChild<QAction*>(QStringLiteral("pop_zakoncz"))->trigger();
        EXPECT_TRUE(fs::is_empty(folder.file("config")));
        EXPECT_TRUE(window.prompter.shown.empty());
        EXPECT_EQ(window.quitRequests, 1);
    }
}

TEST(MainShutdown, TerminationSignalsEndTheProgramAsZakonczDoes)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        ProgramFolder folder;
        MainWindowHarness window(folder.path());
        ASSERT_TRUE(window.form->FormCreate());
        writeTemporaryFiles(folder);
        ASSERT_EQ(std::raise(signal), 0);
        ASSERT_TRUE(waitUntil([&window] { return window.form->shutDown(); }, 2000)) << signal;
        EXPECT_EQ(window.quitRequests, 1);
        for (const char* file : kStoredFiles)
            EXPECT_TRUE(fs::exists(folder.file(file))) << file;
        EXPECT_FALSE(anyTemporaryFileLeft(folder));
    }
}

} // namespace
} // namespace kestrin::test
