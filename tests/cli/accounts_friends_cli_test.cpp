// `kestrin-cli accounts` and `friends`: the editors' save steps, the deletion
// and the exit statuses, run by the real executable on a program folder.
#include "cli_run.h"
#include "storage/record_tables.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

class RecordEditorsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-records-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home);
        std::ofstream(home / "password") << "tajne hasło\r\n";
    }
    void TearDown() override { fs::remove_all(home); }

    CliResult run(std::vector<std::string> words)
    {
        words.insert(words.begin() + 1, {"--home", home.string()});
        return runCliWithInput(words, (home / "password").string());
    }
    std::string fileBytes(RecordKind kind) const
    {
        std::ifstream in(recordFilePath(home.string(), kind), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    CliResult addAccount(const std::string& name, std::vector<std::string> extra = {})
    {
        std::vector<std::string> words{"accounts",        "add",    "--name",           name,     "--pop3",
                                       "pop.example.com", "--smtp", "smtp.example.com", "--user", "jan-" + name,
                                       "--password-stdin"};
        words.insert(words.end(), extra.begin(), extra.end());
        return run(words);
    }

    fs::path home;
};

TEST_F(RecordEditorsCliTest, AccountsAreAddedEditedAndDeletedWithThePasswordFromStandardInput)
{
    ASSERT_EQ(addAccount("Dom", {"--security", "tls", "--unlimited", "--no-report"}).status, 0);
    ASSERT_EQ(addAccount("Praca", {"--pop3-port", "1110", "--size", "200"}).status, 0);
    std::vector<AccountRecord> stored = loadAccounts(home.string());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].pass, winLiteral("tajne hasło")) << "one line, its CR LF taken off";
    EXPECT_EQ(stored[0].dopo, "995") << "TLS proposes its port";
    EXPECT_EQ(stored[0].ssl, "1");
    EXPECT_EQ(stored[0].size, std::string(30, '9'));
    EXPECT_TRUE(stored[0].nrep);
    EXPECT_EQ(stored[1].dopo, "1110");
    EXPECT_EQ(stored[1].uppo, "25");
    EXPECT_EQ(stored[1].size, "200");

    const CliResult edited = run({"accounts", "edit", "0", "--security", "stls", "--report", "--size", "80"});
    ASSERT_EQ(edited.status, 0) << edited.err;
    stored = loadAccounts(home.string());
    EXPECT_EQ(stored[0].dopo, "110") << "leaving TLS takes the default back";
    EXPECT_EQ(stored[0].ssl, "2");
    EXPECT_EQ(stored[0].pass, winLiteral("tajne hasło")) << "no --password-stdin keeps the password";
    EXPECT_FALSE(stored[0].nrep);
    EXPECT_EQ(stored[0].size, "80");

    EXPECT_EQ(run({"accounts", "delete", "0", "1"}).status, 3) << "asked, not answered";
    EXPECT_EQ(loadAccounts(home.string()).size(), 2u);
    ASSERT_EQ(run({"accounts", "delete", "1", "--yes"}).status, 0);
    ASSERT_EQ(loadAccounts(home.string()).size(), 1u);
    EXPECT_EQ(loadAccounts(home.string())[0].name, "Dom");
}

TEST_F(RecordEditorsCliTest, RefusalsAndBadCommandLinesChangeNothing)
{
    ASSERT_EQ(addAccount("Dom").status, 0);
    ASSERT_EQ(run({"friends", "add", "--name", "Ola", "--mail", "ola@example.com"}).status, 0);
    const std::string accounts = fileBytes(RecordKind::Accounts);
    const std::string friends = fileBytes(RecordKind::Friends);
    struct Case {
        std::vector<std::string> words;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"accounts", "add", "--name", "DOM", "--pop3", "p", "--smtp", "s", "--user", "u", "--password-stdin"},
         1,
         "Konto pocztowe o podanej nazwie już istnieje!"},
        {{"accounts", "edit", "0", "--pop3-port", "0"},
         1,
         "Nie można dodać/edytować nowego konta pocztowego gdyż dane jego portu są nieprawidłowe!"},
        {{"accounts", "edit", "0", "--smtp-port", "99999"}, 1, "dane jego portu są nieprawidłowe!"},
        {{"accounts", "edit", "0", "--size", "5", "--unlimited"}, 64, "exclude each other"},
        {{"accounts", "edit", "0", "--security", "ssl"}, 64, "--security takes none, tls or stls"},
        {{"accounts", "edit", "0", "--password", "x"}, 64, ""},
        {{"accounts", "edit", "1", "--name", "x"}, 2, "no account with ID 1"},
        {{"accounts", "add", "--name", "x"}, 64, "accounts add needs --pop3"},
        {{"friends", "add", "--name", "ola", "--mail", "inna@example.com"},
         1,
         "Przyjaciel o podanej nazwie już istnieje!"},
        {{"friends", "add", "--name", "Ewa", "--mail", "*@*.pl"}, 1, "więcej niż jednego znaku wzorca!"},
        {{"friends", "add", "--name", "Ewa", "--mail", "ewa.example.com"},
         3,
         "Podany adres e-mail przyjaciela jest nieprawidłowy! Czy mimo to chcesz go dodać?"},
        {{"friends", "edit", "0", "--mail", "OLA@EXAMPLE.COM", "--name", ""}, 1, "nie podałeś wszystkich informacji"},
        {{"friends", "delete", "0", "7", "--yes"}, 2, "no friend with ID 7"},
        {{"friends", "rename", "0"}, 64, "unknown subcommand rename"},
    };
    for (const Case& c : cases) {
        const CliResult r = run(c.words);
        EXPECT_EQ(r.status, c.status) << c.words[1] << " " << c.words[2] << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_EQ(fileBytes(RecordKind::Accounts), accounts);
    EXPECT_EQ(fileBytes(RecordKind::Friends), friends);

    ASSERT_EQ(run({"friends", "add", "--name", "Ewa", "--mail", "ewa.example.com", "--yes"}).status, 0);
    ASSERT_EQ(run({"friends", "edit", "1", "--mail", "*@ewa.example.com"}).status, 0);
    const std::vector<FriendRecord> stored = loadFriends(home.string());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].name, "Ewa");
    EXPECT_EQ(stored[1].mail, "*@ewa.example.com");
}

TEST_F(RecordEditorsCliTest, FriendsAreImportedFromAVCardFileOnlyWhenTheQuestionIsAnswered)
{
    ASSERT_EQ(run({"friends", "add", "--name", "Ola", "--mail", "ola@example.com"}).status, 0);
    const fs::path book = home / "kontakty.vcf";
    std::ofstream(book, std::ios::binary) << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:OLA\r\nEMAIL:ola2@example.com\r\n"
                                             "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zażółć Gęślą\r\n"
                                             "EMAIL;TYPE=INTERNET:jazn@example.pl\r\nEND:VCARD\r\n"
                                             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bez Adresu\r\nEND:VCARD\r\n";
    std::ofstream(home / "pusta.vcf") << "";
    const std::string before = fileBytes(RecordKind::Friends);
    struct Case {
        std::vector<std::string> words;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"friends", "import", book.string()},
         3,
         "znaleziono następujące elementy (3):\n\nOLA; Zażółć Gęślą; Bez Adresu\n\nCzy na pewno zaimportować"},
        {{"friends", "import", (home / "brak.vcf").string(), "--silent"},
         2,
         "Wystąpił błąd podczas importowania wybranych pozycji z książki adresowej!"},
        {{"friends", "import", (home / "pusta.vcf").string()},
         1,
         "Twoja książka adresowa nie zawiera żadnych pozycji!"},
        {{"friends", "import", (home / "pusta.vcf").string(), "--silent"}, 0, ""},
        {{"friends", "import", "a.vcf", "b.vcf"}, 64, "at most one FILE"},
    };
    for (const Case& c : cases) {
        const CliResult r = run(c.words);
        EXPECT_EQ(r.status, c.status) << c.words[2] << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_EQ(fileBytes(RecordKind::Friends), before);

    const CliResult imported = run({"friends", "import", book.string(), "--yes"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "1\n") << "the friend's name in capitals and the contact without an address are skipped";
    const std::vector<FriendRecord> stored = loadFriends(home.string());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].name, winLiteral("Zażółć Gęślą"));
    EXPECT_EQ(stored[1].mail, "jazn@example.pl");
    EXPECT_EQ(run({"friends", "import", book.string(), "--silent"}).out, "0\n") << "nothing new the second time";
}

} // namespace
} // namespace kestrin::test
