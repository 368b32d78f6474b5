#include "engine/friend_import.h"

#include "engine/record_limits.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"

#include <set>

namespace kestrin {
namespace {

constexpr std::string_view kAddressProperty = "EMAIL_ADDRESS=";

// The first non-empty "EMAIL_ADDRESS=" line of the contact's properties.
std::string contactAddress(const std::vector<std::string>& properties)
{
    for (const std::string& line : properties)
        if (line.size() > kAddressProperty.size() && line.starts_with(kAddressProperty))
            return line.substr(kAddressProperty.size());
    return {};
}

std::string joinedNames(const std::vector<std::string>& contacts)
{
    std::string joined;
    for (const std::string& name : contacts) {
        if (!joined.empty())
            joined += "; ";
        joined += name;
    }
    return joined;
}

std::string importQuestion(const std::vector<std::string>& contacts)
{
    return winLiteral("W twojej książce adresowej znaleziono następujące elementy (") +
           std::to_string(contacts.size()) + "):\r\n\r\n" + joinedNames(contacts) + "\r\n\r\n" +
           winLiteral("Czy na pewno zaimportować powyższe pozycje do listy przyjaciół?");
}

FriendImportPlan stopped(FriendImportPlan::Outcome outcome, std::string boxText)
{
    FriendImportPlan plan;
    plan.outcome = outcome;
    plan.boxText = std::move(boxText);
    return plan;
}

} // namespace

std::string friendImportCaption()
{
    return winLiteral("Importowanie adresów");
}

std::string friendImportErrorText()
{
    return winLiteral("Wystąpił błąd podczas importowania wybranych pozycji z książki adresowej!");
}

std::vector<FriendRecord> friendsToImport(AddressBook& book, const std::vector<FriendRecord>& friends)
{
    std::set<std::string> takenNames;
    for (const FriendRecord& stored : friends)
        takenNames.insert(lowerAscii(stored.name));
    std::vector<FriendRecord> additions;
    // Asking for a contact's properties leaves the contact list as it is.
    for (const std::string& name : book.contacts) {
        book.getPropertiesOf(name);
        std::string address = contactAddress(book.properties);
        if (address.empty() || !takenNames.insert(lowerAscii(name)).second)
            continue;
        FriendRecord added;
        added.name = name;
        added.mail = std::move(address);
        additions.push_back(std::move(added));
    }
    return additions;
}

FriendImportPlan planFriendImport(AddressBook& book, const std::vector<FriendRecord>& friends)
{
    using Outcome = FriendImportPlan::Outcome;
    try {
        book.loadFile();
    } catch (const AddressBookError&) {
        return stopped(Outcome::Error, friendImportErrorText());
    }
    // Only the count before the import is limited: an import that starts
    // below the limit adds all its contacts.
    if (friends.size() >= kMaxFriends)
        return stopped(Outcome::Limit, recordLimitText(RecordKind::Friends));
    if (book.contacts.empty())
        return stopped(Outcome::EmptyBook, winLiteral("Twoja książka adresowa nie zawiera żadnych pozycji!"));
    FriendImportPlan plan;
    plan.outcome = Outcome::Ready;
    plan.question = importQuestion(book.contacts);
    plan.additions = friendsToImport(book, friends);
    return plan;
}

FriendImportPlan planFriendImport(const std::string& bookPath, const std::vector<FriendRecord>& friends)
{
    AddressBook book;
    book.setToDefaultAddressBook(bookPath, processEnvironment);
    return planFriendImport(book, friends);
}

bool showsBox(FriendImportPlan::Outcome outcome, bool silent)
{
    return outcome == FriendImportPlan::Outcome::Error || !silent;
}

} // namespace kestrin
