// The account editor's save steps: each refusal with its text in step order,
// the limit in add mode only, and what counts as the same account.
#include "engine/account_fields.h"
#include "engine/account_save.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

const char* const kMissing =
    "Nie można dodać/edytować nowego konta pocztowego gdyż nie podałeś wszystkich informacji na jego temat!";
const char* const kBadPort = "Nie można dodać/edytować nowego konta pocztowego gdyż dane jego portu są nieprawidłowe!";
const char* const kSameName = "Konto pocztowe o podanej nazwie już istnieje!";
const char* const kSameSetup = "Konto pocztowe o podanych konfiguracji już istnieje!";

AccountRecord account(const std::string& name, const std::string& user = "jan")
{
    AccountRecord a;
    a.name = name;
    a.pop3 = "pop3.example.com";
    a.smtp = "smtp.example.com";
    a.user = user;
    a.pass = "tajne";
    return a;
}

std::string refusal(const AccountRecord& a, const std::vector<AccountRecord>& stored = {}, int editIndex = -1)
{
    const std::optional<std::string> text = checkAccountSave(a, stored, editIndex);
    return text ? cp1250ToUtf8(*text) : "accepted";
}

TEST(AccountSave, EachStepRefusesWithItsText)
{
    struct Case {
        const char* what;
        std::function<void(AccountRecord&)> change;
        const char* expected;
    };
    const Case cases[] = {
        {"complete", [](AccountRecord&) {}, "accepted"},
        {"no name", [](AccountRecord& a) { a.name.clear(); }, kMissing},
        {"no password", [](AccountRecord& a) { a.pass.clear(); }, kMissing},
        {"no size", [](AccountRecord& a) { a.size.clear(); }, kMissing},
        {"no SMTP port", [](AccountRecord& a) { a.uppo.clear(); }, kMissing},
        {"letter in POP3 port", [](AccountRecord& a) { a.dopo = "11O"; }, kBadPort},
        {"letter in size", [](AccountRecord& a) { a.size = "5O"; }, kBadPort},
        {"port 0", [](AccountRecord& a) { a.dopo = "0"; }, kBadPort},
        {"port above 65535", [](AccountRecord& a) { a.uppo = "65536"; }, kBadPort},
        {"port 65535", [](AccountRecord& a) { a.uppo = "65535"; }, "accepted"},
        {"unlimited size", [](AccountRecord& a) { a.size = std::string(kUnlimitedSizeText); }, "accepted"},
        {"size the cycle cannot read", [](AccountRecord& a) { a.size = "99999999999"; }, kBadPort},
        {"missing before bad port",
         [](AccountRecord& a) {
             a.dopo = "x";
             a.user.clear();
         },
         kMissing},
    };
    for (const Case& c : cases) {
        AccountRecord a = account("Dom");
        c.change(a);
        EXPECT_EQ(refusal(a), c.expected) << c.what;
    }
}

TEST(AccountSave, DuplicatesByAsciiCaseNameOrByTheFiveServerFields)
{
    const std::vector<AccountRecord> stored = {account("Praca", "ola")};
    struct Case {
        const char* what;
        std::function<void(AccountRecord&)> change;
        const char* expected;
    };
    const Case cases[] = {
        {"name in another ASCII case",
         [](AccountRecord& a) {
             a.name = "PRACA";
             a.user = "inny";
         },
         kSameName},
        {"Polish letter case differs",
         [](AccountRecord& a) {
             a.name = winLiteral("Łódź");
             a.user = "x";
         },
         "accepted"},
        {"only the password differs", [](AccountRecord& a) { a.pass = "inne"; }, kSameSetup},
        {"server in another case", [](AccountRecord& a) { a.pop3 = "POP3.example.com"; }, kSameSetup},
        {"another SMTP port", [](AccountRecord& a) { a.uppo = "587"; }, "accepted"},
        {"another user", [](AccountRecord& a) { a.user = "piotr"; }, "accepted"},
    };
    for (const Case& c : cases) {
        AccountRecord a = account("Dom", "ola");
        c.change(a);
        EXPECT_EQ(refusal(a, stored), c.expected) << c.what;
    }
    EXPECT_EQ(refusal(stored[0], stored, 0), "accepted") << "an edit does not conflict with itself";
    EXPECT_EQ(refusal(stored[0], stored, 1), "") << "an index past the list";
}

TEST(AccountSave, OneHundredAccountsStopAddingButNotEditing)
{
    std::vector<AccountRecord> stored;
    for (int i = 0; i < 99; ++i)
        stored.push_back(account("k" + std::to_string(i), "u" + std::to_string(i)));
    EXPECT_EQ(refusal(account("setne"), stored), "accepted");
    stored.push_back(account("setne"));
    EXPECT_EQ(refusal(account("nowe", "nowy"), stored), "Nie można dodać więcej niż 100 kont pocztowych!");
    EXPECT_EQ(refusal(stored[5], stored, 5), "accepted");
}

} // namespace
} // namespace kestrin::test

namespace kestrin::test {
namespace {

TEST(AccountFields, TlsProposesItsPortOnlyInPlaceOfTheOtherDefault)
{
    struct Case {
        const char* port;
        Pop3Security from, to;
        const char* proposed;
    };
    const Case cases[] = {
        {"110", Pop3Security::None, Pop3Security::Tls, "995"},
        {"110", Pop3Security::StartTls, Pop3Security::Tls, "995"},
        {"995", Pop3Security::Tls, Pop3Security::None, "110"},
        {"995", Pop3Security::Tls, Pop3Security::StartTls, "110"},
        {"1110", Pop3Security::None, Pop3Security::Tls, "1110"},
        {"995", Pop3Security::None, Pop3Security::StartTls, "995"},
        {"110", Pop3Security::None, Pop3Security::StartTls, "110"},
        {"110", Pop3Security::Tls, Pop3Security::Tls, "110"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(proposedPop3Port(c.port, c.from, c.to), c.proposed) << c.port;
}

} // namespace
} // namespace kestrin::test
