// The tray program's start against a careless --home and the temporary files
// a killed run left in its folder.
#include "main_test_support.h"

#include "platform/single_instance.h"
#include "support/file_checks.h"
#include "ui/main/home_refusal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kestrin::test {
namespace {

TEST(MainFolderSafety, AHomeThatIsNoFolderIsRefusedWithItsReason)
{
    ProgramFolder folder;
    const std::string file = folder.file("config/options.ini");
    std::ofstream(file) << "x";
    const std::pair<std::optional<std::string>, QString> cases[] = {
        {std::nullopt, {}},
        {folder.file("not-yet"), {}},
        {std::string(), QStringLiteral("Parametr --home nie podaje folderu programu!")},
        {file, QStringLiteral("Parametr --home nie wskazuje folderu: ") + QString::fromStdString(file)}};
    for (const auto& [home, text] : cases)
        EXPECT_EQ(ui::homeRefusalText(home), text) << home.value_or("(none)");
}

TEST(MainFolderSafety, StaleTemporaryFilesGoOnceThisCopyHoldsTheFolder)
{
    ProgramFolder folder;
    const std::string stale = folder.file("config/.kestrin-abc123");
    std::ofstream(stale) << "acc_database2 copy";
    setFileAge(stale, std::chrono::hours(1));
    {
        SingleInstanceLock firstCopy;
        ASSERT_TRUE(firstCopy.tryLock());
        EXPECT_FALSE(MainWindowHarness(folder.path()).form->FormCreate());
        EXPECT_TRUE(std::filesystem::exists(stale)) << "a refused copy touches nothing";
    }
    EXPECT_TRUE(MainWindowHarness(folder.path()).form->FormCreate());
    EXPECT_FALSE(std::filesystem::exists(stale));
}

} // namespace
} // namespace kestrin::test
