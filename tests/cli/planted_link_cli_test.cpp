// A check cycle in a program folder where another local user planted a link
// under the temporary message file's name, run under umask 000: the fetched
// mail (text a stranger chooses) must land in the program's own files only,
// and every folder and file the cycle makes must be private.
#include "cli_run.h"
#include "peers/dovecot_peer.h"
#include "platform/system_internet_check.h"
#include "storage/record_tables.h"
#include "storage/record_test_support.h"
#include "storage/settings.h"
#include "support/file_checks.h"
#include "support/rule_records.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAttack = "From: <atak@example.net>\r\n"
                                "Subject: klucz\r\n"
                                "Message-ID: <atak-1@example.net>\r\n"
                                "\r\n"
                                "ssh-ed25519 AAAAattacker evil@example.net\r\n";
constexpr const char* kKeys = "ssh-ed25519 AAAAowner owner@host\n";

TEST(PlantedLinkCli, FetchedMailNeverReachesTheLinksTargetAndEverythingMadeIsPrivate)
{
    if (!DovecotPeer::installed())
        GTEST_SKIP() << "dovecot is not installed";
    if (!SystemInternetCheck().connected())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    const fs::path root = fs::temp_directory_path() / ("kestrin-planted-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path home = root / "home";
    fs::create_directories(home);
    std::ofstream(root / "authorized_keys") << kKeys;
    fs::create_symlink(root / "authorized_keys", home / "~message.txt");

    DovecotPeer dovecot;
    dovecot.deliver("alice", kAttack);
    AccountRecord account;
    account.name = "Skrzynka";
    account.pop3 = "127.0.0.1";
    account.dopo = std::to_string(dovecot.pop3Port());
    account.user = "alice";
    account.pass = "secret";
    saveAccounts(home.string(), {account});
    saveRules(home.string(), {ruleRecord("Atak", 1, 0, "example.net", {true, false, false, true})});
    Settings settings = defaultSettings(home.string(), localNow());
    settings.skipNetCheck = true;
    saveSettingsFile(home.string(), settings);
    fs::permissions(home / "config", fs::perms::owner_all); // written by the test; the cycle makes archive/

    const CliResult r = [&] {
        const ScopedUmask open(0);
        return runCli({"check", "--home", home.string()});
    }();
    ASSERT_EQ(r.status, 0) << r.err;

    EXPECT_EQ(fileBytes((root / "authorized_keys").string()), kKeys);
    EXPECT_TRUE(dovecot.messageFiles("alice").empty()) << "the cycle went on: archived, then deleted";
    const fs::path copy = home / "archive" / "message - 0.txt";
    EXPECT_NE(fileBytes(copy.string()).find("AAAAattacker"), std::string::npos);
    EXPECT_EQ(fileMode((home / "archive").string()), 0700u);
    EXPECT_EQ(fileMode(copy.string()), 0600u);
    for (const auto& entry : fs::directory_iterator(home / "config"))
        EXPECT_EQ(fileMode(entry.path().string()), 0600u) << entry.path();
    EXPECT_FALSE(fs::exists(fs::symlink_status(home / "~message.txt"))) << "the scratch file goes at exit";
    fs::remove_all(root);
}

} // namespace
} // namespace kestrin::test
