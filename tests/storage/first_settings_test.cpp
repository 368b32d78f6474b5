// A program folder's first settings, on a real folder.
#include "storage/first_settings.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

const TDateTime kNow = encodeDateTime({2025, 3, 7, 14, 5, 9, 0});

// An empty program folder named after the running test.
fs::path emptyProgramFolder()
{
    const fs::path folder = fs::temp_directory_path() / ("kestrin-first-" + std::to_string(::getpid()) + "-" +
                                                         testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(FirstSettings, WindowsMailProgramGivesWayToTheDesktopsOnly)
{
    const std::string windows = Settings().mail;
    struct Case {
        std::string stored;
        std::string found;
        std::string kept;
    };
    const Case cases[] = {
        {windows, "/usr/bin/thunderbird", "/usr/bin/thunderbird"},
        {windows, "", windows},                         // nothing found: the old default stays
        {"/bin/sh", "/usr/bin/thunderbird", "/bin/sh"}, // a file that is there is no Windows leftover
        {windows, winLiteral("/opt/pocztówka"), winLiteral("/opt/pocztówka")},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.mail = c.stored;
        adoptDesktopMailProgram(settings, c.found);
        EXPECT_EQ(settings.mail, c.kept) << c.stored << " / " << c.found;
    }
}

TEST(FirstSettings, FirstFileHoldsTheDefaultsWithTheDesktopsMailProgram)
{
    const fs::path home = emptyProgramFolder();
    EXPECT_TRUE(needsFirstSettings(home.string()));
    saveFirstSettingsFile(home.string(), kNow, "/usr/bin/thunderbird");
    EXPECT_FALSE(needsFirstSettings(home.string()));

    Settings expected = defaultSettings(home.string(), kNow);
    expected.mail = "/usr/bin/thunderbird";
    EXPECT_EQ(loadSettingsFile(home.string(), kNow + 1.0), expected);
    fs::remove_all(home);
}

// The converter writes an older version's settings into options.ini itself.
TEST(FirstSettings, OlderVersionsSettingsAreLeftToTheConverter)
{
    const fs::path home = emptyProgramFolder();
    std::ofstream(home / "config.ini") << "[Options]\r\n";
    EXPECT_FALSE(needsFirstSettings(home.string()));
    fs::remove_all(home);
}

} // namespace
} // namespace kestrin
