#include "engine/friend_save.h"

#include "engine/record_limits.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"

namespace kestrin {
namespace {

FriendSaveOutcome refusal(const char* utf8Text)
{
    return {FriendSaveStatus::Refused, winLiteral(utf8Text)};
}

// One "*" anywhere makes the address a pattern; two cannot be matched.
bool hasSecondWildcard(const std::string& mail)
{
    const size_t first = mail.find('*');
    return first != std::string::npos && mail.find('*', first + 1) != std::string::npos;
}

// Names and addresses compare with ASCII case folded only, friend by friend.
std::optional<FriendSaveOutcome> conflict(const FriendRecord& candidate, const std::vector<FriendRecord>& friends,
                                          int editIndex)
{
    const std::string name = lowerAscii(candidate.name);
    const std::string mail = lowerAscii(candidate.mail);
    for (size_t i = 0; i < friends.size(); ++i) {
        if (editIndex >= 0 && i == static_cast<size_t>(editIndex))
            continue;
        if (lowerAscii(friends[i].name) == name)
            return refusal("Przyjaciel o podanej nazwie już istnieje!");
        if (lowerAscii(friends[i].mail) == mail)
            return refusal("Przyjaciel o podanym adresie e-mail już istnieje!");
    }
    return std::nullopt;
}

} // namespace

std::string friendSaveCaption()
{
    return winLiteral("Błąd dodawania przyjaciela");
}

FriendSaveOutcome checkFriendSave(const FriendRecord& candidate, const std::vector<FriendRecord>& friends,
                                  int editIndex, bool addressAnswered)
{
    if (editIndex >= 0 && static_cast<size_t>(editIndex) >= friends.size())
        return {FriendSaveStatus::Refused, {}};
    if (editIndex < 0 && friends.size() >= kMaxFriends)
        return {FriendSaveStatus::Refused, recordLimitText(RecordKind::Friends)};
    if (candidate.name.empty() || candidate.mail.empty())
        return refusal(
            "Nie można dodać/edytować nowego przyjaciela gdyż nie podałeś wszystkich informacji na jego temat!");
    if (hasSecondWildcard(candidate.mail))
        return refusal("Nie można dodać/edytować nowego przyjaciela gdyż użyto więcej niż jednego znaku wzorca!");
    if (std::optional<FriendSaveOutcome> refused = conflict(candidate, friends, editIndex))
        return *refused;
    if (candidate.mail.find('@') == std::string::npos && !addressAnswered)
        return {FriendSaveStatus::Asked,
                winLiteral("Podany adres e-mail przyjaciela jest nieprawidłowy! Czy mimo to chcesz go dodać?")};
    return {};
}

} // namespace kestrin
