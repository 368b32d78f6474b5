// `kestrin-cli rules`: the rule editor's save and the rule page's deletion run
// by the real executable on a program folder, read back from the rule file.
#include "cli_run.h"
#include "platform/single_instance.h"
#include "storage/record_tables.h"
#include "support/rule_records.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

class RulesCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-rules-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home);
    }
    void TearDown() override { fs::remove_all(home); }

    CliResult rules(std::vector<std::string> words)
    {
        words.insert(words.begin(), {"rules", "--home", home.string()});
        return runCli(words);
    }
    std::vector<RuleRecord> stored() const { return loadRules(home.string()); }
    std::string ruleFileBytes() const
    {
        std::ifstream in(recordFilePath(home.string(), RecordKind::Rules), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    void storeFive()
    {
        std::vector<RuleRecord> five;
        for (const char* name : {"r0", "r1", "r2", "r3", "r4"})
            five.push_back(ruleRecord(name, 3, 0, name, {true, false, false, true}));
        saveRules(home.string(), five);
    }

    fs::path home;
};

TEST_F(RulesCliTest, AddsARuleAndAnEditKeepsWhatItDoesNotGive)
{
    const CliResult added =
        rules({"add", "--name", "Śmieci", "--typ", "3", "--sub", "7", "--value", "tani kredyt", "--delete", "--nofri"});
    ASSERT_EQ(added.status, 0) << added.err;
    std::vector<RuleRecord> after = stored();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].name, winLiteral("Śmieci"));
    EXPECT_EQ(after[0].typ, 3);
    EXPECT_EQ(after[0].sub, 7);
    EXPECT_EQ(after[0].str, "tani kredyt");
    EXPECT_EQ(after[0].act, (std::array<bool, 4>{false, false, false, true}));
    EXPECT_TRUE(after[0].nofri);

    after[0].stat = 12; // counted by the cycles meanwhile
    saveRules(home.string(), after);
    const CliResult edited = rules({"edit", "0", "--value", "kredyt"});
    ASSERT_EQ(edited.status, 0) << edited.err;
    const RuleRecord rule = stored().at(0);
    EXPECT_EQ(rule.name, winLiteral("Śmieci"));
    EXPECT_EQ(rule.sub, 7) << "the stored condition stays";
    EXPECT_EQ(rule.str, "kredyt");
    EXPECT_EQ(rule.act, (std::array<bool, 4>{false, false, false, true}));
    EXPECT_EQ(rule.stat, 12u);
    EXPECT_TRUE(rule.nofri);

    ASSERT_EQ(rules({"edit", "0", "--archive"}).status, 0);
    EXPECT_EQ(stored().at(0).act, (std::array<bool, 4>{true, false, false, false})) << "given actions replace all";
    ASSERT_EQ(rules({"edit", "0", "--typ", "0"}).status, 0);
    EXPECT_EQ(stored().at(0).sub, 0) << "a new field starts at its first condition";
}

TEST_F(RulesCliTest, RefusalsPrintTheTextAndLeaveTheFileByteIdentical)
{
    storeFive();
    const std::string before = ruleFileBytes();
    const struct {
        std::vector<std::string> words;
        int status;
        const char* text;
    } cases[] = {
        {{"add", "--name", "R2", "--typ", "3", "--sub", "0", "--value", "x", "--delete"},
         1,
         "Reguła wiadomości o podanej nazwie już istnieje!"},
        {{"add", "--name", "n", "--typ", "3", "--sub", "0", "--value", "r1", "--forward", "a@b", "--yes"},
         1,
         "Nie można dodać/edytować nowej reguły wiadomości gdyż dla wybranych akcji nie został ustawiony serwer "
         "SMTP w opcjach programu!"},
        {{"add", "--name", "n", "--typ", "3", "--sub", "0", "--value", "r1", "--archive", "--yes"},
         1,
         "Reguła wiadomości o podanych warunkach już istnieje!"},
        {{"add", "--name", "n", "--typ", "3", "--sub", "0", "--value", "x", "--yes"},
         1,
         "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wybrano żadnej akcji dla niej!"},
        {{"add", "--name", "n", "--typ", "5", "--sub", "0", "--value", "12k", "--delete", "--yes"},
         1,
         "Nie można dodać/edytować nowej reguły wiadomości gdyż dane jej treści są nieprawidłowe!"},
        {{"add", "--name", "n", "--typ", "3", "--sub", "12", "--value", "12", "--delete", "--yes"},
         1,
         "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wybrałeś dla niej warunku logicznego!"},
        {{"edit", "1", "--name", ""},
         1,
         "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wprowadziłeś jej treści!"},
        {{"edit", "5", "--name", "x"}, 2, "no rule with ID 5"},
        {{"delete", "1", "9", "--yes"}, 2, "no rule with ID 9"},
        {{"edit", "1", "--typ", "300"}, 64, "--typ takes a number from 0 to 255"},
    };
    for (const auto& c : cases) {
        const CliResult r = rules(c.words);
        EXPECT_EQ(r.status, c.status) << c.words[0] << " " << c.words[1] << ": " << r.err;
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
        EXPECT_EQ(ruleFileBytes(), before) << c.text;
    }
}

TEST_F(RulesCliTest, AQuestionExitsThreeUntilYesAnswersEveryOne)
{
    const std::vector<std::string> sizeRule = {"add",   "--name", "Duze",    "--typ", "5",
                                               "--sub", "0",      "--value", "",      "--delete"};
    const CliResult asked = rules(sizeRule);
    EXPECT_EQ(asked.status, 3);
    EXPECT_NE(asked.err.find("Nie podano treści tej reguły wiadomości! Czy mimo to chcesz dodać aktualną regułę "
                             "wiadomości?"),
              std::string::npos)
        << asked.err;
    EXPECT_FALSE(fs::exists(recordFilePath(home.string(), RecordKind::Rules)));

    std::vector<std::string> answered = sizeRule;
    answered.push_back("--yes"); // the empty value, then the archiving question
    ASSERT_EQ(rules(answered).status, 0);
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0].typ, 5);

    const CliResult archiving = rules({"edit", "0", "--value", "300"});
    EXPECT_EQ(archiving.status, 3);
    EXPECT_NE(archiving.err.find("nie będą archiwizowane!"), std::string::npos) << archiving.err;
    EXPECT_EQ(stored()[0].str, "");
}

TEST_F(RulesCliTest, DeletesByTheIdsBeforeTheCommandAfterOneQuestion)
{
    storeFive();
    const std::string before = ruleFileBytes();
    const CliResult asked = rules({"delete", "3", "1"});
    EXPECT_EQ(asked.status, 3);
    EXPECT_NE(asked.err.find("Czy na pewno usunąć wybraną(e) regułę(y) wiadomości?\nIlość reguł wiadomości do "
                             "usunięcia: 2"),
              std::string::npos)
        << asked.err;
    EXPECT_EQ(ruleFileBytes(), before);

    ASSERT_EQ(rules({"delete", "3", "1", "3", "--yes"}).status, 0);
    std::vector<std::string> names;
    for (const RuleRecord& rule : stored())
        names.push_back(rule.name);
    EXPECT_EQ(names, (std::vector<std::string>{"r0", "r2", "r4"}));
}

TEST_F(RulesCliTest, ARunningKestrinKeepsTheRulesUnchanged)
{
    storeFive();
    const std::string before = ruleFileBytes();
    SingleInstanceLock window(singleInstanceLockFolder());
    ASSERT_TRUE(window.tryLock());
    const CliResult refused = rules({"delete", "0", "--yes"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("Nie można uruchomić na raz dwóch kopii tego programu!"), std::string::npos);
    EXPECT_EQ(ruleFileBytes(), before);
    window.unlock();
    EXPECT_EQ(rules({"delete", "0", "--yes"}).status, 0);
    EXPECT_EQ(stored().size(), 4u);
}

} // namespace
} // namespace kestrin::test
