// The settings window's creation: load-all, apply in start-up mode, previews,
// and the hand-over to the main window's first cycle.
#include "options_test_seams.h"

#include "storage/record_database.h"
#include "storage/record_tables.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

std::string readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST(OptionsStartUp, LoadsAppliesTheStartUpStepsAndStartsTheFirstCycleInOrder)
{
    OptionsWindowFixture f;
    f.writeOptions({"Min=0", "Sek=3", "Alpha=5", "DefaultTrayAction=2", "WABSynch=1", "ClearArchOnStart=1", "MaxRep=1",
                    "RunAtStartup=1"});
    const std::string optionsBefore = readBytes(f.path(QStringLiteral("config/options.ini")));
    f.writeReport(30);
    for (const char* name : {"archive/message - 0.txt", "archive/message - 1.TXT", "archive/.hidden.txt",
                             "archive/keep.eml", "archive/folder.txt/inner.txt"})
        f.writeFile(QString::fromLatin1(name), "x");

    f.makeWindow().formCreate();

    const std::vector<std::string> expected = {
        "setMainWindowEnabled true", "setCheckInterval 90000", "setTrayAction Sprawdź konta pocztowe 10",
        "setTransparency on 127", // no tray icon file: the main window's timer is still off at start
        "importFriendsSilently",     "reportReplaced",         "statisticsViewChanged",
        "restoreListSorting",        "refreshItemCounts",      "startFirstCycle",
    };
    EXPECT_EQ(f.host.calls, expected);
    EXPECT_TRUE(f.prompter.shown.empty());

    // 30 stored lines plus the "run" entry of this start, cut to MaxRep x 10.
    EXPECT_EQ(f.data.report.size(), 10u);
    EXPECT_EQ(f.control<QSlider>("maxrep")->value(), 1);
    EXPECT_EQ(f.control<QLabel>("maxrep_lab")->text(), QStringLiteral("10 pozycji"));

    EXPECT_FALSE(QFile::exists(f.path(QStringLiteral("archive/message - 0.txt"))));
    EXPECT_FALSE(QFile::exists(f.path(QStringLiteral("archive/message - 1.TXT"))));
    EXPECT_FALSE(QFile::exists(f.path(QStringLiteral("archive/.hidden.txt"))));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("archive/keep.eml"))));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("archive/folder.txt/inner.txt"))));

    EXPECT_TRUE(QFile::exists(f.autostart.entryPath()));
    EXPECT_EQ(f.control<QComboBox>("min")->currentText(), QStringLiteral("1 min"));
    EXPECT_EQ(f.control<QComboBox>("sek")->currentText(), QStringLiteral("30 sek"));
    EXPECT_EQ(readBytes(f.path(QStringLiteral("config/options.ini"))), optionsBefore) << "apply never saves";
    EXPECT_FALSE(f.window->isVisible());
}

TEST(OptionsStartUp, WithoutStoredFilesTheDefaultsApplyAndTheOptionalStepsStayOut)
{
    OptionsWindowFixture f;
    f.writeFile(QStringLiteral("archive/message - 0.txt"), "x");
    f.makeWindow().formCreate();

    EXPECT_TRUE(f.host.called("setCheckInterval 300000"));
    EXPECT_TRUE(f.host.called("setTransparency off"));
    EXPECT_TRUE(f.host.called("setTrayAction Pokaż okno programu 16"));
    EXPECT_FALSE(f.host.called("importFriendsSilently"));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("archive/message - 0.txt"))));
    EXPECT_EQ(f.data.report.size(), 1u) << "only the run entry of this start";
    EXPECT_FALSE(QFile::exists(f.autostart.entryPath()));
    EXPECT_EQ(f.control<QComboBox>("accskip")->currentText(), QStringLiteral("10 cykli"));
    EXPECT_EQ(f.control<QComboBox>("mailwait")->currentText(), QStringLiteral("10 sek"));
    EXPECT_EQ(f.control<QLabel>("maxrep_lab")->text(), QStringLiteral("100 pozycji"));
    EXPECT_EQ(f.control<QLabel>("maxmsg_lab")->text(), QStringLiteral("30 dni"));
    EXPECT_EQ(f.data.settings.mailCheckSkin, f.folder() + "/skins/kestrin.ini");
    EXPECT_TRUE(f.prompter.shown.empty());
    EXPECT_EQ(f.host.calls.back(), "startFirstCycle");
}

TEST(OptionsStartUp, LoadFailuresShowOneBox)
{
    // A value that does not convert ends the load-all sequence; start-up goes on.
    {
        OptionsWindowFixture f;
        f.writeOptions({"Min=9"});
        RecordTable rules;
        rules.columns = {"name", "typ"};
        rules.rows = {{"bad", "abc"}};
        writeRecordFile(recordFilePath(f.folder(), RecordKind::Rules), rules);
        f.makeWindow().formCreate();

        ASSERT_EQ(f.prompter.shown.size(), 1u);
        EXPECT_EQ(f.prompter.shown[0].icon, ui::PromptIcon::Error);
        EXPECT_EQ(f.prompter.shown[0].caption, QStringLiteral("Kestrin sweeper"));
        EXPECT_EQ(f.prompter.shown[0].text, QStringLiteral("Wystąpił błąd podczas otwierania pliku konfiguracji!"));
        EXPECT_EQ(f.control<QComboBox>("min")->currentText(), QStringLiteral("10 min")) << "what was loaded stays";
        EXPECT_TRUE(f.host.called("setCheckInterval 600000"));
        EXPECT_EQ(f.host.calls.back(), "startFirstCycle");
    }
    // A file of a newer version: its box, and the program ends instead of checking mail.
    {
        OptionsWindowFixture f;
        RecordTable friends;
        friends.version = 204;
        friends.columns = {"name", "mail"};
        writeRecordFile(recordFilePath(f.folder(), RecordKind::Friends), friends);
        f.makeWindow().formCreate();

        ASSERT_EQ(f.prompter.shown.size(), 1u);
        EXPECT_EQ(f.prompter.shown[0].text, QStringLiteral("Nieprawidłowa wersja pliku konfiguracji!"));
        EXPECT_FALSE(f.host.called("startFirstCycle"));
        EXPECT_EQ(f.host.calls.back(), "closeMainWindow");
    }
}

TEST(OptionsStartUp, PreviewsShowTheTrayIconsAndAMissingFileShowsNothingQuietly)
{
    OptionsWindowFixture f;
    f.writeOptions({"NormalTrayIcon=3", "NewMailTrayIcon=7"});
    f.writeTrayIcon(3);
    f.makeWindow().formCreate();

    EXPECT_FALSE(f.control<QLabel>("traynormalview")->pixmap().isNull());
    EXPECT_TRUE(f.control<QLabel>("traynewmailview")->pixmap().isNull());
    EXPECT_TRUE(f.prompter.shown.empty()) << "a missing icon at start-up is no box";
    EXPECT_EQ(f.control<QSlider>("traynewmail")->maximum(), 14);
    EXPECT_EQ(f.host.calls.back(), "startFirstCycle");
}

} // namespace
} // namespace kestrin::test
