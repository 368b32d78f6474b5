#include "cli_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kestrin::test {
namespace {

class CliSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No test name in the path: the printed paths must not contain the keys the tests look for.
        static int serial = 0;
        home = std::filesystem::temp_directory_path() /
               ("kestrin-cli-settings-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home / "config");
    }
    void TearDown() override { std::filesystem::remove_all(home); }
    void writeOptions(const std::string& bytes) const
    {
        std::ofstream(home / "config" / "options.ini", std::ios::binary) << bytes;
    }
    std::filesystem::path home;
};

TEST_F(CliSettings, AMissingFilePrintsEveryDefault)
{
    const CliResult r = runCli({"settings", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("[Options]\nConfigVersion=1.0.0\nMin=4\nSek=0\nAccWait=0\nAccSkip=8\n", 0), 0u);
    for (const std::string& line :
         std::vector<std::string>{"MailWait=5", "NetWait=4", "MaxRep=10", "MaxMsg=30", "SMTPPort=25",
                                  "MailCheckSkin=" + home.string() + "/skins/kestrin.ini", "DelMsgColorB=192"})
        EXPECT_NE(r.out.find("\n" + line + "\n"), std::string::npos) << line;
    EXPECT_NE(r.out.find("\n\n[Stats]\nCheckMsg=0\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n\n[BodyCor]\nDelHTML=0\nDelChars=0\nDelCharsList=!#$%^&*()\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n\n[Bayes]\nActive=1\nSafeMode=0\n"), std::string::npos);
    const std::string ending = "\n\n[Others]\nAdvID=\n";
    ASSERT_GT(r.out.size(), ending.size());
    EXPECT_EQ(r.out.substr(r.out.size() - ending.size()), ending);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home / "config" / "options.ini")); // printing writes nothing
}

TEST_F(CliSettings, OddSpellingIsReadUnknownKeysAreNotPrintedTextIsUtf8)
{
    writeOptions("[OPTIONS]\r\n"
                 "  min = 7 \r\n"
                 "MAILWAIT=3\r\n"
                 "smtpuser=pawe\xB3\r\n"
                 "MailCheckSkin=/x/skin.bmp\r\n"
                 "Sek=abc\r\n"
                 "UnknownKey=zz\r\n"
                 "[stats]\r\ncheckmsg=12\r\n"
                 "[Mystery]\r\nx=1\r\n");
    const CliResult r = runCli({"settings", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const std::string& line :
         std::vector<std::string>{"Min=7", "MailWait=3", "SMTPUser=paweł", "Sek=0", "CheckMsg=12",
                                  "MailCheckSkin=" + home.string() + "/skins/kestrin.ini"})
        EXPECT_NE(r.out.find("\n" + line + "\n"), std::string::npos) << line;
    EXPECT_EQ(r.out.find("UnknownKey"), std::string::npos);
    EXPECT_EQ(r.out.find("Mystery"), std::string::npos);
    EXPECT_EQ(r.out.find("x=1"), std::string::npos);
}

TEST_F(CliSettings, UnreadableFileAndBadCommandLines)
{
    std::filesystem::create_directories(home / "config" / "options.ini"); // a folder where the file should be
    const CliResult unreadable = runCli({"settings", "--home", home.string()});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find("options.ini"), std::string::npos);

    EXPECT_EQ(runCli({"settings", "--home", home.string(), "extra"}).status, 64);
    EXPECT_EQ(runCli({"settings", "--home"}).status, 64);
}

// A desktop below the test folder whose "mailto:" handler starts desk/bin/poczta,
// set with the real xdg-mime; the environment points kestrin-cli at it.
class DesktopMailHandler {
public:
    explicit DesktopMailHandler(const std::filesystem::path& desk) : desk_(desk)
    {
        std::filesystem::create_directories(desk / "data" / "applications");
        std::filesystem::create_directories(desk / "bin");
        std::filesystem::create_directories(desk / "config");
        std::ofstream(desk / "data" / "applications" / "poczta.desktop")
            << "[Desktop Entry]\nType=Application\nName=Poczta\nExec=poczta %u\n";
        std::ofstream(program()) << "#!/bin/sh\n";
        std::filesystem::permissions(program(), std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
        set("PATH", (desk / "bin").string() + ":" + std::getenv("PATH"));
        set("XDG_CONFIG_HOME", (desk / "config").string());
        set("XDG_DATA_HOME", (desk / "data").string());
        set("XDG_DATA_DIRS", (desk / "none").string());
        set("XDG_CURRENT_DESKTOP", "");
        set_ = std::system("xdg-mime default poczta.desktop x-scheme-handler/mailto 2>/dev/null") == 0;
    }
    ~DesktopMailHandler()
    {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    bool isSet() const { return set_; }
    std::string program() const { return (desk_ / "bin" / "poczta").string(); }

private:
    void set(const std::string& name, const std::string& value)
    {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }

    std::filesystem::path desk_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    bool set_ = false;
};

// The Windows program's Outlook Express path names nothing here; a folder's
// first settings name the desktop's mail program, a stored one stays.
TEST_F(CliSettings, FirstCheckNamesTheDesktopsMailProgram)
{
    const DesktopMailHandler desktop(home / "desk");
    if (!desktop.isSet())
        GTEST_SKIP() << "xdg-mime is not installed";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Mail=" + desktop.program() + "\r\n"},
        {"[Options]\r\nMail=C:\\Program Files\\Outlook Express\\msimn.exe\r\n",
         "Mail=C:\\Program Files\\Outlook Express\\msimn.exe\r\n"},
        {"[Options]\r\nMail=/usr/bin/mutt\r\n", "Mail=/usr/bin/mutt\r\n"},
    };
    for (const auto& [stored, saved] : cases) {
        std::filesystem::remove(home / "config" / "options.ini");
        if (!stored.empty())
            writeOptions(stored);
        const CliResult r = runCli({"check", "--home", home.string()});
        ASSERT_EQ(r.status, 0) << r.err;
        std::ifstream file(home / "config" / "options.ini", std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_NE(written.find("\r\n" + saved), std::string::npos) << written;
    }
}

} // namespace
} // namespace kestrin::test
