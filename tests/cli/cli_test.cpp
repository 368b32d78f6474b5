#include "cli_run.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

const std::string kSample = std::string(KESTRIN_TEST_DATA) + "/sample-pl.eml";

std::string writeTemp(const std::string& name, const std::string& text)
{
    const auto path = std::filesystem::temp_directory_path() / ("kestrin-cli-test-" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

TEST(CliParse, PrintsTheMessageAsJsonInUtf8)
{
    setenv("TZ", "Europe/Warsaw", 1); // the date is shown in local time
    const CliResult r = runCli({"parse", kSample});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["from"]["name"], "Paweł Kowalski");
    EXPECT_EQ(json["from"]["address"], "pawel.kowalski@example.pl");
    EXPECT_EQ(json["subject"], "Zamówienie nr 5 - potwierdzenie wpłaty");
    // 09:30 +0100 is 08:30 GMT, 09:30 in Warsaw in winter (the tests run with TZ=Europe/Warsaw).
    EXPECT_EQ(json["date"], "2025-01-14 / 09:30:00");
    EXPECT_EQ(json["priority"], 2);
    EXPECT_EQ(json["encoding"], "mime");
    ASSERT_EQ(json["parts"].size(), 2u);
    EXPECT_EQ(json["parts"][0]["kind"], "text");
    EXPECT_EQ(json["parts"][0]["charset"], "ISO-8859-2");
    EXPECT_EQ(json["parts"][1]["kind"], "attachment");
    EXPECT_EQ(json["parts"][1]["size"], 42);
    EXPECT_EQ(json["identity"].get<std::string>().size(), 32u);
    const std::string text = json["message_text"];
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.rfind("Dzień dobry,", 0), 0u);
    for (const char* key : {"raw_headers", "from_list", "recipients", "cc", "bcc", "reply_to", "message_id",
                            "content_type", "content_transfer_encoding", "boundary", "body", "top_words"})
        EXPECT_TRUE(json.contains(key)) << key;
}

TEST(CliParse, TopWordsComeFromTheTextWithoutTags)
{
    const std::string file = writeTemp("tags.eml", "From: a@b.pl\r\nSubject: x\r\n\r\n"
                                                   "<b>kredyt</b> kredyt <i>tani</i> dom\r\n");
    const CliResult r = runCli({"parse", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["top_words"], "kredyt tani");
    std::filesystem::remove(file);
}

TEST(CliParse, FailuresGoToStderrWithStatusTwo)
{
    const CliResult missing = runCli({"parse", "/nonexistent/kestrin.eml"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Cannot load message from file /nonexistent/kestrin.eml\n");

    const std::string file = writeTemp("bad-from.eml", "From: <a@b.pl> c@d.pl\r\n\r\nbody\r\n");
    const CliResult bad = runCli({"parse", file});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "@ Outside address\n");
    std::filesystem::remove(file);
}

TEST(CliEvalRule, AnswersSelectedNotSelectedOrTheFault)
{
    // temat (3) zawiera treść (0), value given in UTF-8.
    EXPECT_EQ(runCli({"eval-rule", "--typ", "3", "--sub", "0", "--value", "zamówienie", kSample}).out, "selected\n");
    EXPECT_EQ(runCli({"eval-rule", "--typ", "3", "--sub", "0", "--value", "ZAMÓWIENIE", kSample}).out,
              "not selected\n"); // only A-Z fold
    // zawartość wiadomości (4) is unavailable for a header-only fetch.
    EXPECT_EQ(runCli({"eval-rule", "--typ", "4", "--sub", "0", "--value", "kurierem", kSample}).out, "selected\n");
    EXPECT_EQ(runCli({"eval-rule", "--typ", "4", "--sub", "0", "--value", "kurierem", "--header-only", kSample}).out,
              "not selected\n");
    // rozmiar (5) przekracza wartość (Kb): 128 KB against an explicit size.
    EXPECT_EQ(runCli({"eval-rule", "--typ", "5", "--sub", "0", "--value", "128", "--size", "131073", kSample}).out,
              "selected\n");
    EXPECT_EQ(runCli({"eval-rule", "--typ", "5", "--sub", "0", "--value", "128", "--size", "131072", kSample}).out,
              "not selected\n");
    const CliResult fault = runCli({"eval-rule", "--typ", "12", "--sub", "0", "--value", "x", kSample});
    EXPECT_EQ(fault.status, 0);
    EXPECT_EQ(fault.out, "Wystąpił krytyczny wyjątek w analizie reguł!\n");
}

TEST(CliEvalRule, BodyCorrectionsApplyToTheFieldText)
{
    const std::string file = writeTemp("html.eml", "From: a@b.pl\r\nSubject: x\r\n\r\n<p>cli<b></b>ck h!e#re</p>\r\n");
    EXPECT_EQ(runCli({"eval-rule", "--typ", "4", "--sub", "0", "--value", "click", file}).out, "not selected\n");
    EXPECT_EQ(runCli({"eval-rule", "--typ", "4", "--sub", "0", "--value", "click", "--delhtml", file}).out,
              "selected\n");
    EXPECT_EQ(runCli({"eval-rule", "--typ", "4", "--sub", "0", "--value", "here", "--delchars", "!#", file}).out,
              "selected\n");
    std::filesystem::remove(file);
}

TEST(CliUsage, BadCommandLinesAreRefused)
{
    EXPECT_NE(runCli({"no-such-command"}).status, 0);
    EXPECT_NE(runCli({"parse"}).status, 0);
    EXPECT_NE(runCli({"eval-rule", "--typ", "x", "--sub", "0", "--value", "a", kSample}).status, 0);
    const CliResult notNumber = runCli({"eval-rule", "--typ", "5", "--sub", "0", "--value", "abc", kSample});
    EXPECT_EQ(notNumber.status, 2);
    EXPECT_EQ(notNumber.err, "'abc' is not a valid integer value\n");
}

// Options stand before or after the command word, as in git-style tools; the
// value of an option is never taken for the command, even when it is a command's name.
TEST(CliUsage, OptionsStandBeforeOrAfterTheCommandWord)
{
    const auto home = std::filesystem::temp_directory_path() / ("kestrin-cli-orders-" + std::to_string(::getpid()));
    const std::string h = home.string();
    const std::string skin = "MailCheckSkin=" + h + "/skins/kestrin.ini";
    struct Order {
        std::vector<std::string> args;
        int status;
        std::string out; // a part of standard output
        std::string err; // a part of standard error
        bool saves;      // options.ini is written into the --home folder
    };
    const Order orders[] = {
        {{"settings", "--home", h}, 0, skin, "", false},
        {{"--home", h, "settings"}, 0, skin, "", false},
        {{"check", "--home", h, "--cycles", "1"}, 0, "", "", true},
        {{"--home", h, "check"}, 0, "", "", true},
        {{"--cycles", "1", "--home", h, "check"}, 0, "", "", true},
        {{"--home", h, "check", "--cycles", "1"}, 0, "", "", true},
        {{"--value", "parse", "--typ", "3", "--sub", "0", "eval-rule", kSample}, 0, "not selected\n", "", false},
        {{"--header-only", "--value", "zamówienie", "eval-rule", "--typ", "3", "--sub", "0", kSample},
         0,
         "selected\n",
         "",
         false},
        {{"--home", h}, 64, "", "usage: kestrin-cli", false},
        {{"--home", h, "bogus"}, 64, "", "unknown command bogus", false},
        {{"--show-passwords", "settings", "--home", h}, 64, "", "unknown option --show-passwords", false},
        {{"--cycles", "2", "settings", "--home", h}, 64, "", "unknown option --cycles", false},
        {{"--help"}, 0, "usage: kestrin-cli", "", false},
    };
    for (const Order& order : orders) {
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home / "config");
        std::string line;
        for (const auto& arg : order.args)
            line += arg + " ";
        const CliResult r = runCli(order.args);
        EXPECT_EQ(r.status, order.status) << line << r.err;
        EXPECT_NE(r.out.find(order.out), std::string::npos) << line << r.out;
        EXPECT_NE(r.err.find(order.err), std::string::npos) << line << r.err;
        EXPECT_EQ(std::filesystem::exists(home / "config" / "options.ini"), order.saves) << line;
    }
    std::filesystem::remove_all(home);
}

} // namespace
} // namespace kestrin::test

namespace kestrin::test {
namespace {

TEST(CliProgramFolder, WithoutHomeAWritableExecutableFolderIsTheProgramFolder)
{
    // The build folder is writable, so it is the program folder (portable use); the
    // commands then work there without --home and leave no file behind.
    const auto exeFolder = std::filesystem::path(KESTRIN_CLI_PATH).parent_path();
    const CliResult settings = runCli({"settings"});
    EXPECT_EQ(settings.status, 0) << settings.err;
    EXPECT_NE(settings.out.find("MailCheckSkin=" + (exeFolder / "skins" / "kestrin.ini").string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(exeFolder / "config" / "options.ini"));
}

} // namespace
} // namespace kestrin::test
