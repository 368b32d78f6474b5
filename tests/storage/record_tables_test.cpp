#include "record_test_support.h"
#include "storage/old_version.h"
#include "storage/record_tables.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::fileBytes;
using test::putFileBytes;

class RecordTablesTest : public test::ProgramFolderTest {
protected:
    void store(RecordKind kind, std::vector<std::string> columns, std::vector<std::vector<std::string>> rows)
    {
        RecordTable table;
        table.columns = std::move(columns);
        table.rows = std::move(rows);
        writeRecordFile(recordFilePath(home(), kind), table);
    }
    RecordTable stored(RecordKind kind) const { return readRecordFile(recordFilePath(home(), kind)).value(); }
};

AccountRecord sampleAccount()
{
    AccountRecord a;
    a.name = winLiteral("Poczta główna");
    a.pop3 = "pop.example.pl";
    a.smtp = "smtp.example.pl";
    a.dopo = "995";
    a.uppo = "587";
    a.user = "jan";
    a.pass = winLiteral("hasło");
    a.size = "999999999999999999999999999999";
    a.nrep = true;
    a.skip = 3;
    return a;
}

RuleRecord sampleRule()
{
    RuleRecord r;
    r.name = winLiteral("Reklamy źródło");
    r.icon = 5;
    r.stat = 4294967295u;
    r.typ = 9;
    r.sub = 255;
    r.str = "*viagra*";
    r.act = {false, true, true, false};
    r.sendto = "spam@example.pl";
    r.restr = "Nie, dziekuje";
    r.nofri = true;
    return r;
}

TEST_F(RecordTablesTest, FilePathsAndColumnOrder)
{
    EXPECT_EQ(recordFilePath("/p", RecordKind::Accounts), "/p/config/acc_database2.dat");
    EXPECT_EQ(recordFilePath("/p", RecordKind::Rules), "/p/config/regs_database2.dat");
    EXPECT_EQ(recordFilePath("/p", RecordKind::Friends), "/p/config/fri_database2.dat");
    EXPECT_EQ(recordFilePath("/p", RecordKind::BayesWords), "/p/config/bay_database2.dat");

    saveAccounts(home(), {});
    saveRules(home(), {});
    saveFriends(home(), {});
    saveBayesWords(home(), {});
    using Columns = std::vector<std::string>;
    EXPECT_EQ(stored(RecordKind::Accounts).columns,
              (Columns{"name", "pop3", "smtp", "dopo", "uppo", "user", "pass", "size", "nrep", "ssl"}));
    EXPECT_EQ(stored(RecordKind::Rules).columns, (Columns{"name", "icon", "stat", "typ", "sub", "str", "act0", "act1",
                                                          "act2", "act3", "sendto", "restr", "nofri"}));
    EXPECT_EQ(stored(RecordKind::Friends).columns, (Columns{"name", "mail"}));
    EXPECT_EQ(stored(RecordKind::BayesWords).columns, (Columns{"name", "list", "stat", "lastuse"}));
}

TEST_F(RecordTablesTest, ZeroRecordsMakeAValidFileWithRowCountZero)
{
    saveFriends(home(), {});
    const std::string file = recordFilePath(home(), RecordKind::Friends);
    EXPECT_EQ(fileBytes(file).size(), 36u + (2 + 4) + (2 + 4) + 2);
    EXPECT_TRUE(stored(RecordKind::Friends).rows.empty());
    EXPECT_TRUE(loadFriends(home()).empty());
    // No file at all loads as no records too.
    EXPECT_TRUE(loadAccounts(home()).empty());
    EXPECT_TRUE(loadRules(home()).empty());
    EXPECT_TRUE(loadBayesWords(home()).empty());
}

TEST_F(RecordTablesTest, ValuesAreWrittenAsDecimalAndMinusOneOrZero)
{
    saveRules(home(), {sampleRule()});
    EXPECT_EQ(stored(RecordKind::Rules).rows.at(0),
              (std::vector<std::string>{winLiteral("Reklamy źródło"), "5", "4294967295", "9", "255", "*viagra*", "0",
                                        "-1", "-1", "0", "spam@example.pl", "Nie, dziekuje", "-1"}));
    BayesWordRecord word{"kredyt", -1, 7, "2025-01-14 09:30:00"};
    saveBayesWords(home(), {word});
    EXPECT_EQ(stored(RecordKind::BayesWords).rows.at(0),
              (std::vector<std::string>{"kredyt", "-1", "7", "2025-01-14 09:30:00"}));
    saveAccounts(home(), {sampleAccount()});
    EXPECT_EQ(stored(RecordKind::Accounts).rows.at(0).at(8), "-1");
}

TEST_F(RecordTablesTest, RecordsSurviveASaveAndLoad)
{
    saveAccounts(home(), {sampleAccount(), AccountRecord{}});
    const auto accounts = loadAccounts(home());
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].name, winLiteral("Poczta główna"));
    EXPECT_EQ(accounts[0].pass, winLiteral("hasło"));
    EXPECT_EQ(accounts[0].dopo, "995");
    EXPECT_EQ(accounts[0].size, "999999999999999999999999999999");
    EXPECT_TRUE(accounts[0].nrep);
    EXPECT_EQ(accounts[0].skip, 0); // the skip counter is not stored
    EXPECT_EQ(accounts[1].dopo, "110");
    EXPECT_EQ(accounts[1].uppo, "25");
    EXPECT_EQ(accounts[1].size, "50");

    saveRules(home(), {sampleRule()});
    const auto rules = loadRules(home());
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].name, sampleRule().name);
    EXPECT_EQ(rules[0].stat, 4294967295u);
    EXPECT_EQ(rules[0].typ, 9);
    EXPECT_EQ(rules[0].sub, 255);
    EXPECT_EQ(rules[0].act, (std::array<bool, 4>{false, true, true, false}));
    EXPECT_EQ(rules[0].sendto, "spam@example.pl");
    EXPECT_EQ(rules[0].restr, "Nie, dziekuje");
    EXPECT_TRUE(rules[0].nofri);
    EXPECT_EQ(rules[0].icon, 0); // written, never read back

    saveFriends(home(), {{winLiteral("Paweł"), "pawel@example.pl"}, {"", ""}});
    const auto friends = loadFriends(home());
    ASSERT_EQ(friends.size(), 2u);
    EXPECT_EQ(friends[0].name, winLiteral("Paweł"));
    EXPECT_EQ(friends[1].mail, "");

    saveBayesWords(home(), {{"tani", 1, 4294967295u, "2025-01-14 09:30:00"}, {"dom", 0, 0, ""}});
    const auto words = loadBayesWords(home());
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].list, 1);
    EXPECT_EQ(words[0].stat, 4294967295u);
    EXPECT_EQ(words[0].lastuse, "2025-01-14 09:30:00");
    EXPECT_EQ(words[1].name, "dom");
}

TEST_F(RecordTablesTest, AccountSecurityColumnIsStoredAndOlderFilesLoadAsPlain)
{
    AccountRecord pop3s = sampleAccount();
    pop3s.ssl = "1";
    AccountRecord stls;
    stls.ssl = "2";
    saveAccounts(home(), {pop3s, stls, AccountRecord{}});
    EXPECT_EQ(stored(RecordKind::Accounts).rows.at(0).at(9), "1");
    const auto accounts = loadAccounts(home());
    ASSERT_EQ(accounts.size(), 3u);
    EXPECT_EQ(accounts[0].ssl, "1");
    EXPECT_EQ(accounts[1].ssl, "2");
    EXPECT_EQ(accounts[2].ssl, "0");

    // A file of the Windows program: the nine columns up to nrep, no ssl.
    store(RecordKind::Accounts, {"name", "pop3", "smtp", "dopo", "uppo", "user", "pass", "size", "nrep"},
          {{"A", "pop.example.pl", "", "110", "25", "u", "p", "50", "-1"}});
    const auto older = loadAccounts(home());
    ASSERT_EQ(older.size(), 1u);
    EXPECT_EQ(older[0].ssl, "0");
    EXPECT_TRUE(older[0].nrep);
}

TEST_F(RecordTablesTest, ColumnsMatchByNameAndEmptyValuesTakeDefaults)
{
    // No nrep column, columns in another order, an unknown column, an empty dopo.
    store(RecordKind::Accounts, {"pass", "extra", "dopo", "name"}, {{"x", "ignored", "", "A"}, {"", "", "111", ""}});
    const auto accounts = loadAccounts(home());
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].name, "A");
    EXPECT_EQ(accounts[0].pass, "x");
    EXPECT_EQ(accounts[0].dopo, "110");
    EXPECT_FALSE(accounts[0].nrep);
    EXPECT_EQ(accounts[0].size, "50");
    EXPECT_EQ(accounts[1].dopo, "111");
    EXPECT_EQ(accounts[1].name, "");

    // Names compare exactly: "Name" is not "name". A repeated column: the later value wins.
    store(RecordKind::Friends, {"Name", "mail", "mail"}, {{"N", "first", "second"}, {"N", "first", ""}});
    const auto friends = loadFriends(home());
    EXPECT_EQ(friends.at(0).name, "");
    EXPECT_EQ(friends.at(0).mail, "second");
    EXPECT_EQ(friends.at(1).mail, "first");

    // A rule with only a name takes every default.
    store(RecordKind::Rules, {"name", "icon"}, {{"r", "5"}, {"s", "not a number"}});
    const auto rules = loadRules(home());
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].icon, 0);
    EXPECT_EQ(rules[1].icon, 0);
    EXPECT_EQ(rules[0].typ, 2);
    EXPECT_EQ(rules[0].sub, 1);
    EXPECT_EQ(rules[0].stat, 0u);
    EXPECT_EQ(rules[0].act, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_FALSE(rules[0].nofri);
}

TEST_F(RecordTablesTest, BooleansReadAsAnyIntegerOrTrueFalse)
{
    store(RecordKind::Rules, {"act0", "act1", "act2", "act3", "nofri"},
          {{"True", "false", "TRUE", "FaLsE", "-1"}, {"0", "2", "-0", "+7", "00"}});
    const auto rules = loadRules(home());
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].act, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_TRUE(rules[0].nofri);
    EXPECT_EQ(rules[1].act, (std::array<bool, 4>{false, true, false, true}));
    EXPECT_FALSE(rules[1].nofri);
}

TEST_F(RecordTablesTest, ValuesThatDoNotConvertAreConversionErrors)
{
    const auto ruleWith = [this](const std::string& column, const std::string& value) {
        store(RecordKind::Rules, {"name", column}, {{"r", value}});
        return [this] { return loadRules(home()); };
    };
    EXPECT_THROW(ruleWith("typ", "abc")(), EConvertError);
    EXPECT_THROW(ruleWith("typ", "256")(), EConvertError); // unsigned 8-bit
    EXPECT_THROW(ruleWith("sub", "-1")(), EConvertError);
    EXPECT_THROW(ruleWith("stat", "4294967296")(), EConvertError); // unsigned 32-bit
    EXPECT_THROW(ruleWith("stat", " 1")(), EConvertError);
    EXPECT_THROW(ruleWith("stat", "1.0")(), EConvertError);
    EXPECT_THROW(ruleWith("act0", "yes")(), EConvertError);
    EXPECT_THROW(ruleWith("nofri", "Truee")(), EConvertError);
    EXPECT_EQ(ruleWith("typ", "+255")().at(0).typ, 255);
    EXPECT_EQ(ruleWith("stat", "2147483648")().at(0).stat, 2147483648u);
    try {
        ruleWith("typ", "x1")();
        FAIL() << "accepted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'x1' is not a valid integer value");
    }

    store(RecordKind::Accounts, {"nrep"}, {{"tak"}});
    EXPECT_THROW(loadAccounts(home()), EConvertError);
    // A Bayes word's list has no default: a missing or empty value does not convert.
    store(RecordKind::BayesWords, {"name", "stat"}, {{"w", "1"}});
    EXPECT_THROW(loadBayesWords(home()), EConvertError);
    store(RecordKind::BayesWords, {"name", "list"}, {{"w", "2147483648"}});
    EXPECT_THROW(loadBayesWords(home()), EConvertError);
    store(RecordKind::BayesWords, {"name", "list"}, {{"w", "-2147483648"}});
    EXPECT_EQ(loadBayesWords(home()).at(0).list, -2147483648LL);
}

TEST_F(RecordTablesTest, RefusedFilesCarryTheExactMessage)
{
    putFileBytes(recordFilePath(home(), RecordKind::Accounts), std::string(100, 'x'));
    try {
        loadAccounts(home());
        FAIL() << "accepted";
    } catch (const EConfigVersionError& e) {
        EXPECT_EQ(std::string(e.what()), winLiteral("Nieprawidłowa wersja pliku konfiguracji!"));
        EXPECT_EQ(std::string(e.what()), "Nieprawid\xB3"
                                         "owa wersja pliku konfiguracji!");
    }
    RecordTable newer;
    newer.version = 204;
    writeRecordFile(recordFilePath(home(), RecordKind::Friends), newer);
    EXPECT_THROW(loadFriends(home()), EConfigVersionError);
}

TEST_F(RecordTablesTest, LoadsKeepEveryStoredRow)
{
    std::vector<AccountRecord> accounts(150);
    for (size_t i = 0; i < accounts.size(); ++i)
        accounts[i].name = "konto " + std::to_string(i);
    saveAccounts(home(), accounts);
    const auto loaded = loadAccounts(home());
    ASSERT_EQ(loaded.size(), 150u); // the limit of 100 belongs to the account editor
    EXPECT_EQ(loaded[149].name, "konto 149");
}

TEST_F(RecordTablesTest, AFailedSaveLeavesThePreviousFileLoadable)
{
    saveFriends(home(), {{"old", "old@example.pl"}});
    setBeforeRenameHookForTests([](const std::string&) { throw EFileError("simulated crash"); });
    EXPECT_THROW(saveFriends(home(), {{"new", "new@example.pl"}, {"second", "s@example.pl"}}), EFileError);
    setBeforeRenameHookForTests(nullptr);
    const auto friends = loadFriends(home());
    ASSERT_EQ(friends.size(), 1u);
    EXPECT_EQ(friends[0].name, "old");
    EXPECT_EQ(friends[0].mail, "old@example.pl");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "config"), {}), 1);
}

TEST_F(RecordTablesTest, OlderVersionSettingsAreDetectedByFilePresence)
{
    EXPECT_FALSE(olderVersionSettingsExist(home()));
    saveAccounts(home(), {}); // the current files do not count
    EXPECT_FALSE(olderVersionSettingsExist(home()));
    for (const char* name :
         {"config/acc_database.dat", "config/regs_database.dat", "config/fri_database.dat", "config.ini"}) {
        putFileBytes(path(name), "");
        EXPECT_TRUE(olderVersionSettingsExist(home())) << name;
        std::filesystem::remove(path(name));
    }
    EXPECT_FALSE(olderVersionSettingsExist(home()));
}

TEST_F(RecordTablesTest, ConversionIsNeededOnlyWhenNoCurrentDatabaseExists)
{
    putFileBytes(path("config.ini"), "");
    EXPECT_TRUE(settingsNeedConversion(home()));
    for (const char* name : {"config/acc_database2.dat", "config/regs_database2.dat", "config/fri_database2.dat"}) {
        putFileBytes(path(name), "");
        EXPECT_FALSE(settingsNeedConversion(home())) << name;
        std::filesystem::remove(path(name));
    }
    std::filesystem::remove(path("config.ini"));
    EXPECT_FALSE(settingsNeedConversion(home())) << "nothing old, nothing new: a first start";
}

} // namespace
} // namespace kestrin
