// The tray program's command line: "--home DIR" names the program folder and
// is no parameter for the second-copy message; the autostart entry repeats it.
#include "main_test_support.h"

#include <QDir>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

TEST(MainCommandLine, HomeFolderIsTakenOutAndEverythingElseCounts)
{
    ui::CommandLine plain = ui::parseCommandLine(texts({"kestrin"}));
    EXPECT_FALSE(plain.home.has_value());
    EXPECT_TRUE(plain.otherParameters.isEmpty());
    EXPECT_TRUE(ui::homeArguments(plain).isEmpty());

    ui::CommandLine home = ui::parseCommandLine(texts({"kestrin", "--home", "/tmp/kestrin home"}));
    EXPECT_EQ(home.home, std::optional<std::string>("/tmp/kestrin home"));
    EXPECT_TRUE(home.otherParameters.isEmpty()); // the short refusal text
    EXPECT_EQ(ui::homeArguments(home), texts({"--home", "/tmp/kestrin home"}));

    ui::CommandLine joined = ui::parseCommandLine(texts({"kestrin", "/reguly", "--home=poczta", "-x"}));
    EXPECT_EQ(joined.home, std::optional<std::string>("poczta"));
    EXPECT_EQ(joined.otherParameters, texts({"/reguly", "-x"}));
    // The desktop starts autostart entries elsewhere: the folder goes in absolute.
    EXPECT_EQ(ui::homeArguments(joined),
              (QStringList{QStringLiteral("--home"), QDir::current().filePath(QStringLiteral("poczta"))}));

    // A "--home" without its folder names none; it is a parameter like any other.
    ui::CommandLine dangling = ui::parseCommandLine(texts({"kestrin", "--home"}));
    EXPECT_FALSE(dangling.home.has_value());
    EXPECT_EQ(dangling.otherParameters, texts({"--home"}));
    EXPECT_FALSE(ui::parseCommandLine(texts({"kestrin", "--home="})).home.has_value());
}

} // namespace
} // namespace kestrin::test
