// The friend editor's save steps: refusals in step order, the one-"*" rule,
// ASCII-case duplicates, the limit in add mode only and the "@" question.
#include "engine/friend_save.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

const char* const kMissing =
    "Nie można dodać/edytować nowego przyjaciela gdyż nie podałeś wszystkich informacji na jego temat!";
const char* const kPattern = "Nie można dodać/edytować nowego przyjaciela gdyż użyto więcej niż jednego znaku wzorca!";
const char* const kSameName = "Przyjaciel o podanej nazwie już istnieje!";
const char* const kSameMail = "Przyjaciel o podanym adresie e-mail już istnieje!";
const char* const kNoAt = "Podany adres e-mail przyjaciela jest nieprawidłowy! Czy mimo to chcesz go dodać?";

// "accepted", the refusal text, or "? " and the question.
std::string outcome(const FriendRecord& f, const std::vector<FriendRecord>& stored = {}, int editIndex = -1,
                    bool answered = false)
{
    const FriendSaveOutcome out = checkFriendSave(f, stored, editIndex, answered);
    switch (out.status) {
    case FriendSaveStatus::Accepted:
        return "accepted";
    case FriendSaveStatus::Asked:
        return "? " + cp1250ToUtf8(out.text);
    case FriendSaveStatus::Refused:
        break;
    }
    return cp1250ToUtf8(out.text);
}

TEST(FriendSave, EachStepInOrder)
{
    const std::vector<FriendRecord> stored = {{"Ola", "ola@example.com"}, {"Jan", "jan@example.com"}};
    struct Case {
        FriendRecord candidate;
        std::string expected;
    };
    const Case cases[] = {
        {{"Ewa", "ewa@example.com"}, "accepted"},
        {{"", "ewa@example.com"}, kMissing},
        {{"Ewa", ""}, kMissing},
        {{"Ewa", "*@example.com"}, "accepted"},
        {{"Ewa", "ewa*@example.com"}, "accepted"},
        {{"Ewa", "ewa@example.*"}, "accepted"},
        {{"Ewa", "*@*.com"}, kPattern},
        {{"", "**"}, kMissing},
        {{"OLA", "inna@example.com"}, kSameName},
        {{"Ewa", "JAN@Example.COM"}, kSameMail},
        // The first friend in order decides which conflict is named.
        {{"Jan", "OLA@example.com"}, kSameMail},
        {{"Ola", "*@x*"}, kPattern},
        {{"Ewa", "ewa.example.com"}, std::string("? ") + kNoAt},
        {{"Ola", "ola"}, kSameName},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outcome(c.candidate, stored), c.expected) << c.candidate.name << " " << c.candidate.mail;
    EXPECT_EQ(outcome({"Ewa", "ewa.example.com"}, stored, -1, true), "accepted");
    EXPECT_EQ(outcome({winLiteral("Łucja"), "l@x"}, {{winLiteral("łucja"), "m@x"}}), "accepted")
        << "only ASCII letters fold";
}

TEST(FriendSave, EditsSkipTheirOwnRecordAndTheLimitOnlyStopsAdding)
{
    std::vector<FriendRecord> stored;
    for (int i = 0; i < 999; ++i)
        stored.push_back({"f" + std::to_string(i), "f" + std::to_string(i) + "@x"});
    EXPECT_EQ(outcome({"nowy", "nowy@x"}, stored), "accepted");
    stored.push_back({"nowy", "nowy@x"});
    EXPECT_EQ(outcome({"inny", "inny@x"}, stored), "Nie można dodać więcej niż 1000 przyjaciół!");
    EXPECT_EQ(outcome({"NOWY", "nowy@x"}, stored, 999), "accepted");
    EXPECT_EQ(outcome({"f1", "nowy@x"}, stored, 999), kSameName);
    EXPECT_EQ(outcome({"a", "b@x"}, stored, 1000), "") << "an index past the list";
}

} // namespace
} // namespace kestrin::test
