// Cross-checks the record database format against an independent Python
// implementation written from the format description alone.
#include "record_test_support.h"
#include "storage/record_tables.h"
#include "text/cp1250.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using nlohmann::json;

class RecordPythonTest : public test::ProgramFolderTest {
protected:
    // Texts in the description are UTF-8; the tool stores them as Windows-1250.
    void writeWithTool(RecordKind kind, const json& description)
    {
        const std::string input = path("description.json");
        test::putFileBytes(input, description.dump());
        const auto result =
            test::runRecordDbTool("write '" + recordFilePath(home(), kind) + "' --input '" + input + "'");
        ASSERT_EQ(result.status, 0);
    }
    json readWithTool(RecordKind kind)
    {
        const auto result = test::runRecordDbTool("read '" + recordFilePath(home(), kind) + "'");
        EXPECT_EQ(result.status, 0);
        return json::parse(result.out);
    }
};

size_t expectedSize(const json& columns, const json& rows)
{
    size_t size = 36 + 2;
    for (const auto& name : columns)
        size += 2 + utf8ToCp1250(name.get<std::string>()).size();
    for (const auto& row : rows)
        for (const auto& value : row)
            size += 2 + utf8ToCp1250(value.get<std::string>()).size();
    return size;
}

TEST_F(RecordPythonTest, FilesWrittenByTheReferenceToolLoad)
{
    writeWithTool(
        RecordKind::Accounts,
        {{"columns", {"pass", "name", "unknown", "dopo", "size", "user", "pop3", "smtp", "uppo"}},
         {"rows", {{"hasło", "Skrzynka żółta", "?", "", "100", "ala", "pop.example.pl", "smtp.example.pl", ""}}}});
    const auto accounts = loadAccounts(home());
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(accounts[0].name, "Skrzynka \xBF\xF3\xB3ta"); // Windows-1250 bytes of "żółta"
    EXPECT_EQ(accounts[0].pass, winLiteral("hasło"));
    EXPECT_EQ(accounts[0].dopo, "110");
    EXPECT_EQ(accounts[0].uppo, "25");
    EXPECT_EQ(accounts[0].size, "100");
    EXPECT_EQ(accounts[0].user, "ala");
    EXPECT_EQ(accounts[0].pop3, "pop.example.pl");
    EXPECT_EQ(accounts[0].smtp, "smtp.example.pl");
    EXPECT_FALSE(accounts[0].nrep); // no nrep column

    writeWithTool(RecordKind::Rules,
                  {{"columns", {"nofri", "act3", "act2", "act1", "act0", "icon", "typ", "sub", "stat", "name"}},
                   {"rows", {{"True", "false", "TRUE", "0", "-1", "5", "3", "0", "12", "Śmieci"}}}});
    const auto rules = loadRules(home());
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].name, winLiteral("Śmieci"));
    EXPECT_TRUE(rules[0].nofri);
    EXPECT_EQ(rules[0].act, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(rules[0].icon, 0);
    EXPECT_EQ(rules[0].typ, 3);
    EXPECT_EQ(rules[0].sub, 0);
    EXPECT_EQ(rules[0].stat, 12u);

    writeWithTool(RecordKind::Friends,
                  {{"columns", {"mail", "name"}},
                   {"rows", json::array({json::array({"pawel@example.pl", "Paweł Łęcki"}), json::array({"", ""})})}});
    const auto friends = loadFriends(home());
    ASSERT_EQ(friends.size(), 2u);
    EXPECT_EQ(friends[0].name, winLiteral("Paweł Łęcki"));
    EXPECT_EQ(friends[0].mail, "pawel@example.pl");

    writeWithTool(RecordKind::BayesWords, {{"version", 0},
                                           {"columns", {"name", "list", "stat", "lastuse"}},
                                           {"rows", {{"pożyczka", "1", "", "2025-01-14 09:30:00"}}}});
    const auto words = loadBayesWords(home());
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].name, winLiteral("pożyczka"));
    EXPECT_EQ(words[0].list, 1);
    EXPECT_EQ(words[0].stat, 0u);

    writeWithTool(RecordKind::Friends, {{"version", 204}, {"columns", {"name"}}, {"rows", json::array()}});
    EXPECT_THROW(loadFriends(home()), EConfigVersionError);
}

TEST_F(RecordPythonTest, FilesWeWriteReadBackInTheReferenceTool)
{
    AccountRecord account;
    account.name = winLiteral("Główne");
    account.pass = winLiteral("zażółć");
    account.nrep = true;
    saveAccounts(home(), {account});
    const json accounts = readWithTool(RecordKind::Accounts);
    const json accountColumns = {"name", "pop3", "smtp", "dopo", "uppo", "user", "pass", "size", "nrep", "ssl"};
    const json accountRows = {{"Główne", "", "", "110", "25", "", "zażółć", "50", "-1", "0"}};
    EXPECT_EQ(accounts["version"], 203);
    EXPECT_EQ(accounts["columns"], accountColumns);
    EXPECT_EQ(accounts["rows"], accountRows);
    EXPECT_EQ(accounts["size"], expectedSize(accountColumns, accountRows));
    EXPECT_EQ(accounts["trailing_bytes"], 0);

    RuleRecord rule;
    rule.name = "r";
    rule.icon = 7;
    rule.stat = 3000000000u;
    saveRules(home(), {rule, RuleRecord{}});
    const json rules = readWithTool(RecordKind::Rules);
    const json ruleColumns = {"name", "icon", "stat", "typ",    "sub",   "str",  "act0",
                              "act1", "act2", "act3", "sendto", "restr", "nofri"};
    const json ruleRows = {{"r", "7", "3000000000", "2", "1", "", "-1", "0", "0", "-1", "", "", "0"},
                           {"", "0", "0", "2", "1", "", "-1", "0", "0", "-1", "", "", "0"}};
    EXPECT_EQ(rules["columns"], ruleColumns);
    EXPECT_EQ(rules["rows"], ruleRows);
    EXPECT_EQ(rules["size"], expectedSize(ruleColumns, ruleRows));
    EXPECT_EQ(rules["trailing_bytes"], 0);

    saveFriends(home(), {});
    const json friends = readWithTool(RecordKind::Friends);
    EXPECT_EQ(friends["columns"], json({"name", "mail"}));
    EXPECT_EQ(friends["rows"], json::array());
    EXPECT_EQ(friends["size"], 36 + 6 + 6 + 2);

    saveBayesWords(home(), {{"tani", 1, 2, "2025-01-14 09:30:00"}});
    const json words = readWithTool(RecordKind::BayesWords);
    const json wordRows = {{"tani", "1", "2", "2025-01-14 09:30:00"}};
    EXPECT_EQ(words["rows"], wordRows);
    EXPECT_EQ(words["size"], expectedSize(words["columns"], wordRows));
}

} // namespace
} // namespace kestrin
