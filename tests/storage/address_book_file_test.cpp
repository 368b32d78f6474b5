// The address book on disk: one .vcf file, a vdir folder, the bounds, and
// where it is looked for when none is configured.
#include "storage/address_book.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrin {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class AddressBookFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("kestrin-vcard-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string put(const std::string& relative, const std::string& bytes)
    {
        const fs::path path = folder / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    fs::path folder;
};

std::string card(const std::string& name, const std::string& email)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\nEMAIL:" + email + "\r\nEND:VCARD\r\n";
}

AddressBook bookAt(const std::string& path)
{
    AddressBook book;
    book.fileName = path;
    return book;
}

TEST_F(AddressBookFileTest, OneFileWithSeveralCards)
{
    AddressBook book = bookAt(put("book.vcf", card("Ola", "ola@x") + card("Piotr", "piotr@x")));
    book.loadFile();
    EXPECT_EQ(book.contacts, (Lines{"Ola", "Piotr"}));
    book.getPropertiesOf("Piotr");
    EXPECT_EQ(book.properties.at(0), "EMAIL_ADDRESS=piotr@x");
}

TEST_F(AddressBookFileTest, AVdirFolderIsReadInFileNameOrderAndNotRecursively)
{
    put("contacts/c.vcf", card("Cezary", "c@x"));
    put("contacts/a.VCF", card("Adam", "a@x"));
    put("contacts/b.vcf", card("Beata", "b@x"));
    put("contacts/notes.txt", card("Text", "t@x"));
    put("contacts/sub/d.vcf", card("Nested", "d@x"));
    fs::create_directories(folder / "contacts/folder.vcf");
    fs::create_symlink(folder / "missing.vcf", folder / "contacts/dangling.vcf");
    ASSERT_EQ(::mkfifo((folder / "contacts/pipe.vcf").c_str(), 0600), 0);
    AddressBook book = bookAt((folder / "contacts").string());
    book.loadFile();
    EXPECT_EQ(book.contacts, (Lines{"Adam", "Beata", "Cezary"}));
    book.getPropertiesOf("Beata");
    EXPECT_EQ(book.properties.at(0), "EMAIL_ADDRESS=b@x");
}

TEST_F(AddressBookFileTest, AnEmptyFolderHasNoContacts)
{
    fs::create_directories(folder / "empty");
    AddressBook book = bookAt((folder / "empty").string());
    book.loadFile();
    EXPECT_TRUE(book.contacts.empty());
}

TEST_F(AddressBookFileTest, EveryRefusalRaisesAndKeepsTheBook)
{
    const std::string good = put("good.vcf", card("Kept", "k@x"));
    const std::string large = put("large.vcf", card("Big", "b@x"));
    fs::resize_file(large, kMaxAddressBookBytes + 1); // sparse: costs no disk
    put("two/a.vcf", card("A", "a@x"));
    const std::string two = put("two/b.vcf", "");
    fs::resize_file(two, kMaxAddressBookBytes - 10); // the folder's total passes the bound
    const std::string unreadable = put("locked.vcf", card("L", "l@x"));
    fs::permissions(unreadable, fs::perms::none);
    ASSERT_EQ(::mkfifo((folder / "pipe.vcf").c_str(), 0600), 0);
    struct Case {
        const char* what;
        std::string path;
    };
    std::vector<Case> cases = {
        {"no file name", ""},
        {"missing", (folder / "missing.vcf").string()},
        {"over the size bound", large},
        {"a folder over the size bound", (folder / "two").string()},
        {"a FIFO", (folder / "pipe.vcf").string()},
    };
    if (::geteuid() != 0) // root reads whatever the mode says
        cases.push_back({"unreadable", unreadable});
    for (const auto& c : cases) {
        AddressBook book = bookAt(good);
        book.loadFile();
        book.fileName = c.path;
        EXPECT_THROW(book.loadFile(), AddressBookError) << c.what;
        EXPECT_EQ(book.contacts, (Lines{"Kept"})) << c.what;
    }
}

TEST_F(AddressBookFileTest, AFolderWithTooManyCardFilesIsRefused)
{
    const fs::path many = folder / "many";
    fs::create_directories(many);
    for (size_t i = 0; i <= kMaxAddressBookFiles; ++i)
        std::ofstream(many / (std::to_string(i) + ".vcf"));
    AddressBook book = bookAt(many.string());
    EXPECT_THROW(book.loadFile(), AddressBookError);
    fs::remove(many / "0.vcf");
    EXPECT_NO_THROW(book.loadFile());
}

TEST_F(AddressBookFileTest, TheDefaultBookFollowsTheXdgRules)
{
    const std::string xdg = (folder / "xdg").string();
    const std::string home = (folder / "home").string();
    fs::create_directories(xdg + "/contacts");
    fs::create_directories(home + "/.local/share/contacts");
    fs::create_directories(folder / "bare");
    struct Case {
        const char* what;
        std::string configured;
        std::map<std::string, std::string> environment;
        std::string fileName;
    };
    const Case cases[] = {
        {"configured wins", "/my/book.vcf", {{"XDG_DATA_HOME", xdg}}, "/my/book.vcf"},
        {"XDG_DATA_HOME", "", {{"XDG_DATA_HOME", xdg}, {"HOME", home}}, xdg + "/contacts"},
        {"XDG_DATA_HOME empty", "", {{"XDG_DATA_HOME", ""}, {"HOME", home}}, home + "/.local/share/contacts"},
        {"XDG_DATA_HOME unset", "", {{"HOME", home}}, home + "/.local/share/contacts"},
        {"XDG_DATA_HOME relative", "", {{"XDG_DATA_HOME", "xdg"}, {"HOME", home}}, home + "/.local/share/contacts"},
        {"no contacts folder there", "", {{"XDG_DATA_HOME", (folder / "bare").string()}, {"HOME", home}}, ""},
        {"HOME without the folder", "", {{"HOME", (folder / "bare").string()}}, ""},
        {"nothing set", "", {}, ""},
    };
    for (const auto& c : cases) {
        AddressBook book;
        book.fileName = "previous";
        book.setToDefaultAddressBook(c.configured, [&](const std::string& name) -> std::optional<std::string> {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? std::nullopt : std::optional<std::string>(found->second);
        });
        EXPECT_EQ(book.fileName, c.fileName) << c.what;
    }
}

TEST_F(AddressBookFileTest, AnEnvironmentThatFailsLeavesTheBookUnavailable)
{
    AddressBook book;
    book.fileName = "previous";
    EXPECT_NO_THROW(book.setToDefaultAddressBook(
        "", [](const std::string&) -> std::optional<std::string> { throw std::runtime_error("no environment"); }));
    EXPECT_EQ(book.fileName, "");
    ::setenv("KESTRIN_VCARD_TEST", "value", 1);
    EXPECT_EQ(processEnvironment("KESTRIN_VCARD_TEST"), "value");
    ::unsetenv("KESTRIN_VCARD_TEST");
    EXPECT_EQ(processEnvironment("KESTRIN_VCARD_TEST"), std::nullopt);
}

} // namespace
} // namespace kestrin
