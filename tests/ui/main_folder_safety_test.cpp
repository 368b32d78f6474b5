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

namespace fs = std::filesystem;

TEST(MainFolderSafety, AHomeThatIsNoFolderIsRefusedWithItsReason)
{
    ProgramFolder folder;
    std::ofstream(folder.file("a-file")) << "x";
    const std::pair<std::optional<std::string>, QString> cases[] = {
        {std::nullopt, {}},
        {folder.path(), {}},
        {folder.file("not-yet"), {}},
        {std::string(), QStringLiteral("Parametr --home nie podaje folderu programu!")},
        {folder.file("a-file"),
         QStringLiteral("Parametr --home nie wskazuje folderu: ") + QString::fromStdString(folder.file("a-file"))},
    };
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
        SingleInstanceLock firstCopy(folder.path());
        ASSERT_TRUE(firstCopy.tryLock());
        MainWindowHarness second(folder.path());
        EXPECT_FALSE(second.form->FormCreate());
        EXPECT_TRUE(fs::exists(stale)) << "a refused copy touches nothing";
    }
    MainWindowHarness window(folder.path());
    EXPECT_TRUE(window.form->FormCreate());
    EXPECT_FALSE(fs::exists(stale));
}

} // namespace
} // namespace kestrin::test
