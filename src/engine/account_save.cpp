#include "engine/account_save.h"

#include "engine/account_fields.h"
#include "engine/record_limits.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"

#include <functional>

namespace kestrin {
namespace {

using Step = std::optional<std::string>;

struct SaveInput {
    const AccountRecord& account;
    const std::vector<AccountRecord>& accounts;
    int editIndex;
};

Step refuseIf(bool condition, const char* utf8Text)
{
    return condition ? Step(winLiteral(utf8Text)) : std::nullopt;
}

Step accountLimit(const SaveInput& in)
{
    if (in.editIndex >= 0 || in.accounts.size() < kMaxAccounts)
        return std::nullopt;
    return recordLimitText(RecordKind::Accounts);
}

Step missingData(const SaveInput& in)
{
    const AccountRecord& a = in.account;
    bool empty = false;
    for (const std::string* text : {&a.name, &a.pop3, &a.smtp, &a.dopo, &a.uppo, &a.user, &a.pass, &a.size})
        empty = empty || text->empty();
    return refuseIf(empty, "Nie można dodać/edytować nowego konta pocztowego gdyż nie podałeś wszystkich informacji "
                           "na jego temat!");
}

// Port 0 or above 65535, or a size the cycle cannot read, would save an
// account that fails every cycle: refused like letters are.
bool usablePort(const std::string& text)
{
    const std::optional<uint16_t> port = accountPort(text);
    return port && *port != 0;
}

Step badNumbers(const SaveInput& in)
{
    const AccountRecord& a = in.account;
    const auto digitsOnly = [](const std::string& text) {
        return text.find_first_not_of("0123456789") == std::string::npos;
    };
    const bool bad = !digitsOnly(a.dopo) || !digitsOnly(a.uppo) || !digitsOnly(a.size) || !usablePort(a.dopo) ||
                     !usablePort(a.uppo) || !accountSizeLimit(a.size);
    return refuseIf(bad, "Nie można dodać/edytować nowego konta pocztowego gdyż dane jego portu są nieprawidłowe!");
}

bool sameConfiguration(const AccountRecord& a, const AccountRecord& b)
{
    return lowerAscii(a.pop3) == lowerAscii(b.pop3) && lowerAscii(a.smtp) == lowerAscii(b.smtp) &&
           lowerAscii(a.dopo) == lowerAscii(b.dopo) && lowerAscii(a.uppo) == lowerAscii(b.uppo) &&
           lowerAscii(a.user) == lowerAscii(b.user);
}

// Names and configurations compare with ASCII case folded only; the password,
// size and report mark take no part.
Step conflict(const SaveInput& in)
{
    const std::string name = lowerAscii(in.account.name);
    for (size_t i = 0; i < in.accounts.size(); ++i) {
        if (in.editIndex >= 0 && i == static_cast<size_t>(in.editIndex))
            continue;
        if (lowerAscii(in.accounts[i].name) == name)
            return winLiteral("Konto pocztowe o podanej nazwie już istnieje!");
        if (sameConfiguration(in.accounts[i], in.account))
            return winLiteral("Konto pocztowe o podanych konfiguracji już istnieje!");
    }
    return std::nullopt;
}

} // namespace

std::string accountSaveCaption()
{
    return winLiteral("Błąd dodawania konta pocztowego");
}

std::optional<std::string> checkAccountSave(const AccountRecord& account, const std::vector<AccountRecord>& accounts,
                                            int editIndex)
{
    if (editIndex >= 0 && static_cast<size_t>(editIndex) >= accounts.size())
        return std::string();
    static const std::function<Step(const SaveInput&)> steps[] = {accountLimit, missingData, badNumbers, conflict};
    const SaveInput in{account, accounts, editIndex};
    for (const auto& step : steps) {
        if (Step refusal = step(in))
            return refusal;
    }
    return std::nullopt;
}

} // namespace kestrin
