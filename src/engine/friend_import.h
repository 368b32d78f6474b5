#pragma once
// The address-book import into the friend list without the window: the book
// is loaded and the friends to add are worked out in one plan, which the
// window, the session and kestrin-cli show and apply as they must.
#include "storage/address_book.h"
#include "storage/records.h"

#include <string>
#include <vector>

namespace kestrin {

struct FriendImportPlan {
    enum class Outcome {
        Error,     // the book could not be found or read
        Limit,     // the friend list is already full
        EmptyBook, // the book holds no contacts
        Ready,     // ask the question, then add the additions
    };
    Outcome outcome = Outcome::Error;
    std::string boxText;                 // Windows-1250: the error or warning box of the outcome
    std::string question;                // Windows-1250: the Yes/No question when Ready
    std::vector<FriendRecord> additions; // the friends to add when Ready, in book order
};

// "Importowanie adresów", the caption of every import box (Windows-1250).
std::string friendImportCaption();
// The import's error box text, shown also when the import runs silently.
std::string friendImportErrorText();

// Loads the book (its fileName already set) and plans the import against the
// stored friends.
FriendImportPlan planFriendImport(AddressBook& book, const std::vector<FriendRecord>& friends);
// The same for the book at bookPath, else the default one.
FriendImportPlan planFriendImport(const std::string& bookPath, const std::vector<FriendRecord>& friends);

// The contacts with an address whose name is not a friend's yet (ASCII case
// folded), in the book's order; a name met twice is added once.
std::vector<FriendRecord> friendsToImport(AddressBook& book, const std::vector<FriendRecord>& friends);

// Whether the outcome's box is shown: a silent import shows only the error.
bool showsBox(FriendImportPlan::Outcome outcome, bool silent);

} // namespace kestrin
