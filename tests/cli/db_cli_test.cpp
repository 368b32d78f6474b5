#include "cli_run.h"

#include "storage/record_tables.h"
#include "text/cp1250.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace kestrin::test {
namespace {

using nlohmann::json;

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class DbCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home =
            std::filesystem::temp_directory_path() / ("kestrin-db-cli-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home / "config");
    }
    void TearDown() override { std::filesystem::remove_all(home); }

    // kestrin-cli with the given text on its standard input (the child inherits our descriptor 0).
    CliResult runWithInput(const std::vector<std::string>& args, const std::string& input)
    {
        const std::string inputPath = (home / "stdin.json").string();
        std::ofstream(inputPath, std::ios::binary) << input;
        CliResult result = runCliWithInput(args, inputPath);
        std::filesystem::remove(inputPath);
        return result;
    }

    std::filesystem::path home;
};

TEST_F(DbCliTest, DumpsAFileWrittenByTheReferenceToolAsUtf8Json)
{
    const std::string file = (home / "config" / "fri_database2.dat").string();
    const std::string tool = std::string(KESTRIN_TEST_DATA) + "/../storage/record_db_tool.py";
    const std::string description = (home / "in.json").string();
    std::ofstream(description) << R"({"version": 202, "columns": ["name", "mail"],
                                      "rows": [["Paweł Łęcki", "pawel@example.pl"], ["", ""]]})";
    ASSERT_EQ(
        std::system(("/usr/bin/python3 '" + tool + "' write '" + file + "' --input '" + description + "'").c_str()), 0);

    // A relative FILE is found below --home.
    const CliResult r = runCli({"db", "dump", "--home", home.string(), "config/fri_database2.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto dumped = json::parse(r.out);
    EXPECT_EQ(dumped, json::parse(R"({"version": 202, "columns": ["name", "mail"],
                                      "rows": [["Paweł Łęcki", "pawel@example.pl"], ["", ""]]})"));
    EXPECT_EQ(nlohmann::ordered_json::parse(r.out).begin().key(), "version"); // keys in the documented order
    EXPECT_EQ(runCli({"db", "dump", file}).out, r.out);
}

TEST_F(DbCliTest, DumpFailuresGoToStderrWithStatusTwo)
{
    const CliResult missing = runCli({"db", "dump", "--home", home.string(), "config/none.dat"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find((home / "config/none.dat").string()), std::string::npos) << missing.err;

    const std::string refused = (home / "config" / "acc_database2.dat").string();
    std::ofstream(refused, std::ios::binary) << std::string(64, 'z');
    const CliResult r = runCli({"db", "dump", refused});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Nieprawidłowa wersja pliku konfiguracji!\n");

    EXPECT_EQ(runCli({"db", "show", refused}).status, 64);
    EXPECT_EQ(runCli({"db", "dump"}).status, 64);
}

TEST_F(DbCliTest, LoadThenDumpRoundTrips)
{
    const std::string description =
        R"({"columns": ["name", "icon", "stat", "typ", "sub", "str", "act0", "act1", "act2", "act3",
                        "sendto", "restr", "nofri"],
            "rows": [["Żółte", "5", "3000000000", "3", "0", "*kredyt*", "-1", "0", "0", "-1", "", "Dziękuję", "0"]]})";
    const CliResult loaded =
        runWithInput({"db", "load", "--home", home.string(), "config/regs_database2.dat"}, description);
    ASSERT_EQ(loaded.status, 0) << loaded.err;

    const auto rules = loadRules(home.string());
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].name, winLiteral("Żółte"));
    EXPECT_EQ(rules[0].stat, 3000000000u);
    EXPECT_EQ(rules[0].typ, 3);
    EXPECT_EQ(rules[0].restr, winLiteral("Dziękuję"));

    const CliResult dumped = runCli({"db", "dump", "--home", home.string(), "config/regs_database2.dat"});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    json expected = json::parse(description);
    expected["version"] = 203; // absent means the current version
    EXPECT_EQ(json::parse(dumped.out), expected);

    // Feeding the dump back gives the same file byte for byte.
    const std::string before = fileBytes(home / "config" / "regs_database2.dat");
    ASSERT_EQ(runWithInput({"db", "load", "--home", home.string(), "config/regs_database2.dat"}, dumped.out).status, 0);
    EXPECT_EQ(fileBytes(home / "config" / "regs_database2.dat"), before);
}

TEST_F(DbCliTest, BadInputWritesNothing)
{
    const std::filesystem::path file = home / "config" / "fri_database2.dat";
    ASSERT_EQ(runWithInput({"db", "load", file.string()}, R"({"columns": ["name"], "rows": [["a"]]})").status, 0);
    const std::string before = fileBytes(file);
    for (const char* input : {
             "{\"columns\": [\"name\"], \"rows\": [[\"a\"]",             // not JSON
             R"({"columns": ["name", "mail"], "rows": [["only one"]]})", // row narrower than the columns
             R"({"columns": ["name"], "rows": [["a", "b"]]})",           // row wider
             R"({"columns": ["name"], "rows": [[5]]})",                  // not a text
             R"({"columns": ["name"]})",                                 // no rows
             R"({"version": 70000, "columns": [], "rows": []})",
             R"({"version": -1, "columns": [], "rows": []})",
             R"({"columns": ["name"], "rows": [["漢字"]]})", // no Windows-1250 byte for these
             R"(["name"])",
         }) {
        SCOPED_TRACE(input);
        const CliResult r = runWithInput({"db", "load", file.string()}, input);
        EXPECT_EQ(r.status, 2);
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(fileBytes(file), before);
    }
    const CliResult tooLong = runWithInput({"db", "load", file.string()}, R"({"columns": ["name"], "rows": [[")" +
                                                                              std::string(65536, 'a') + R"("]]})");
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_EQ(fileBytes(file), before);
}

} // namespace
} // namespace kestrin::test
