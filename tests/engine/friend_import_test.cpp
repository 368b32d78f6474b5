// The address-book import's steps on real vCard files: the outcomes in step
// order, the limit counted before the import only, the contacts that are
// skipped, and names kept paired with their own cards.
#include "engine/friend_import.h"
#include "engine/record_limits.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

std::string card(const std::string& name, const std::string& mail)
{
    std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\n";
    if (!mail.empty())
        text += "EMAIL;TYPE=INTERNET:" + mail + "\r\n";
    return text + "END:VCARD\r\n";
}

class FriendImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("kestrin-import-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    FriendImportPlan plan(const std::string& vcf, const std::vector<FriendRecord>& friends = {})
    {
        const fs::path file = folder_ / "book.vcf";
        std::ofstream(file, std::ios::binary) << vcf;
        AddressBook book;
        book.fileName = file.string();
        return planFriendImport(book, friends);
    }

    fs::path folder_;
};

std::vector<FriendRecord> numberedFriends(size_t count)
{
    std::vector<FriendRecord> friends;
    for (size_t i = 0; i < count; ++i)
        friends.push_back({"Friend " + std::to_string(i), "friend" + std::to_string(i) + "@example.com"});
    return friends;
}

std::string numberedCards(size_t count)
{
    std::string vcf;
    for (size_t i = 0; i < count; ++i)
        vcf += card("Contact " + std::to_string(i), "contact" + std::to_string(i) + "@example.org");
    return vcf;
}

TEST_F(FriendImport, OutcomesInStepOrder)
{
    using Outcome = FriendImportPlan::Outcome;
    const std::string error = "Wystąpił błąd podczas importowania wybranych pozycji z książki adresowej!";
    AddressBook unavailable; // no book configured and none by default
    FriendImportPlan missing = planFriendImport(unavailable, {});
    EXPECT_EQ(missing.outcome, Outcome::Error);
    EXPECT_EQ(cp1250ToUtf8(missing.boxText), error);

    const FriendImportPlan full = plan(numberedCards(3), numberedFriends(kMaxFriends));
    EXPECT_EQ(full.outcome, Outcome::Limit);
    EXPECT_EQ(cp1250ToUtf8(full.boxText), "Nie można dodać więcej niż 1000 przyjaciół!");

    const FriendImportPlan empty = plan("");
    EXPECT_EQ(empty.outcome, Outcome::EmptyBook);
    EXPECT_EQ(cp1250ToUtf8(empty.boxText), "Twoja książka adresowa nie zawiera żadnych pozycji!");

    const FriendImportPlan ready = plan(card("Ola", "ola@example.com") + card("Jan", ""));
    EXPECT_EQ(ready.outcome, Outcome::Ready);
    EXPECT_EQ(cp1250ToUtf8(ready.question),
              "W twojej książce adresowej znaleziono następujące elementy (2):\r\n\r\nOla; Jan\r\n\r\n"
              "Czy na pewno zaimportować powyższe pozycje do listy przyjaciół?");
    EXPECT_EQ(cp1250ToUtf8(friendImportCaption()), "Importowanie adresów");
}

TEST_F(FriendImport, OnlyTheCountBeforeTheImportIsLimited)
{
    const FriendImportPlan ready = plan(numberedCards(50), numberedFriends(kMaxFriends - 1));
    ASSERT_EQ(ready.outcome, FriendImportPlan::Outcome::Ready);
    EXPECT_EQ(ready.additions.size(), 50u); // 999 + 50 = 1049 friends once applied
    EXPECT_EQ(ready.additions.back().mail, "contact49@example.org");
}

TEST_F(FriendImport, SkippedContacts)
{
    const std::vector<FriendRecord> friends = {{"Ola Nowak", "ola@example.com"}};
    const std::string vcf = card("OLA NOWAK", "new-address@example.com") // a friend's name in another case
                            + card("Bez Adresu", "")                     // no address
                            + card("Jan", "jan@example.com")             //
                            + card("JAN", "jan2@example.com");           // the same name twice in the book
    const FriendImportPlan ready = plan(vcf, friends);
    ASSERT_EQ(ready.additions.size(), 1u);
    EXPECT_EQ(ready.additions[0].name, "Jan");
    EXPECT_EQ(ready.additions[0].mail, "jan@example.com");
}

TEST_F(FriendImport, AGroupCardFirstKeepsNamesWithTheirAddresses)
{
    const std::string group = "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Rodzina\r\n"
                              "EMAIL:lista@example.com\r\nEND:VCARD\r\n";
    const FriendImportPlan ready = plan(group + card("Ewa", "ewa@example.com") + card("Adam", "adam@example.com"));
    ASSERT_EQ(ready.additions.size(), 2u);
    EXPECT_EQ(ready.additions[0].name, "Ewa");
    EXPECT_EQ(ready.additions[0].mail, "ewa@example.com");
    EXPECT_EQ(ready.additions[1].name, "Adam");
    EXPECT_EQ(ready.additions[1].mail, "adam@example.com");
}

TEST(FriendImportBoxes, ASilentImportShowsOnlyTheError)
{
    using Outcome = FriendImportPlan::Outcome;
    for (const Outcome outcome : {Outcome::Error, Outcome::Limit, Outcome::EmptyBook}) {
        EXPECT_TRUE(showsBox(outcome, false));
        EXPECT_EQ(showsBox(outcome, true), outcome == Outcome::Error);
    }
}

} // namespace
} // namespace kestrin::test
