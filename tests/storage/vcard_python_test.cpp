// Cards written by python3-vobject (a vCard 3.0 writer independent of ours):
// folding, escapes, UTF-8 Polish names, a preferred address that is not the
// first, a card without address and a group card, in one file and as a vdir.
#include "storage/address_book.h"
#include "text/cp1250.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class VCardPythonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists("/usr/bin/python3") || !runs("/usr/bin/python3 -c 'import vobject'"))
            GTEST_SKIP() << "/usr/bin/python3 with python3-vobject is needed";
        folder = fs::temp_directory_path() / ("kestrin-vobject-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        const std::string script = std::string(KESTRIN_TEST_DATA) + "/../storage/write_vcards.py";
        ASSERT_TRUE(runs("/usr/bin/python3 '" + script + "' '" + folder.string() + "'"));
        std::ifstream in(folder / "expected.json");
        expected = json::parse(in);
        ASSERT_EQ(expected.size(), 3u);
    }
    void TearDown() override
    {
        if (!folder.empty())
            fs::remove_all(folder);
    }

    static bool runs(const std::string& command)
    {
        const int status = std::system((command + " >/dev/null 2>&1").c_str());
        return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // Every expected contact, in order, with its address, note and organisation.
    void expectContacts(AddressBook& book)
    {
        ASSERT_EQ(book.contacts.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const std::string name = utf8ToCp1250(expected[i]["name"].get<std::string>());
            EXPECT_EQ(book.contacts[i], name);
            book.getPropertiesOf(name);
            const auto& lines = book.properties;
            const auto has = [&](const std::string& line) {
                return std::find(lines.begin(), lines.end(), line) != lines.end();
            };
            size_t next = 0;
            if (!expected[i]["preferred"].is_null()) {
                ASSERT_FALSE(lines.empty());
                EXPECT_EQ(lines[next++], "EMAIL_ADDRESS=" + expected[i]["preferred"].get<std::string>());
            }
            ASSERT_GT(lines.size(), next);
            EXPECT_EQ(lines[next], "DISPLAY_NAME=" + name);
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                    [](const std::string& line) { return line.rfind("EMAIL_ADDRESS=", 0) == 0; }),
                      expected[i]["preferred"].is_null() ? 0 : 1);
            if (!expected[i]["note"].is_null()) {
                EXPECT_TRUE(has("NOTE=" + utf8ToCp1250(expected[i]["note"].get<std::string>()))) << i;
            }
            if (!expected[i]["org"].is_null()) {
                EXPECT_TRUE(has("ORG=" + utf8ToCp1250(expected[i]["org"].get<std::string>()))) << i;
            }
        }
    }

    fs::path folder;
    json expected;
};

TEST_F(VCardPythonTest, OneFileListsEveryPersonWithTheirPreferredAddress)
{
    AddressBook book;
    book.fileName = (folder / "book.vcf").string();
    book.loadFile();
    expectContacts(book);
    EXPECT_EQ(book.contacts[2], "\xA3ukasz \xAF\xF3\xB3w");
}

TEST_F(VCardPythonTest, TheSameCardsAsAVdirFolder)
{
    AddressBook book;
    book.fileName = (folder / "vdir").string();
    book.loadFile();
    expectContacts(book);
}

} // namespace
} // namespace kestrin
