#pragma once
// The address book friends are imported from. On Linux it is vCard: one .vcf
// file (what Thunderbird, Evolution and web mail export) or a vdir folder
// (KDE, vdirsyncer: one card per *.vcf file). The four operations are those
// the Windows program asked of its address book.
#include "storage/vcard.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrin {

class AddressBookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process environment (getenv); nullopt for an unset variable.
std::optional<std::string> processEnvironment(const std::string& name);

// A file (or a folder's files together) larger than this is refused.
inline constexpr size_t kMaxAddressBookBytes = size_t{100} << 20;
// A vdir folder with more *.vcf files than this is refused.
inline constexpr size_t kMaxAddressBookFiles = 20000;

class AddressBook {
public:
    std::string fileName;                // the .vcf file or vdir folder; empty = unavailable
    std::vector<std::string> contacts;   // display names, Windows-1250, in file order
    std::vector<std::string> properties; // the last getPropertiesOf: "NAME=value" lines

    // configured non-empty: fileName = configured. Otherwise $XDG_DATA_HOME/contacts
    // ($HOME/.local/share/contacts when XDG_DATA_HOME is unset, empty or relative)
    // when that path exists, else fileName stays empty. Never throws.
    void setToDefaultAddressBook(const std::string& configured, const EnvironmentLookup& environment);
    // True: the vCard source needs no library.
    bool connect() const;
    // Throws AddressBookError (empty fileName, missing, not a file or folder,
    // unreadable, too large, too many files); the book is then unchanged.
    void loadFile();
    // The cards of one file's bytes; replaces contacts. Throws AddressBookError
    // past kMaxAddressBookBytes.
    void loadBytes(std::string_view vcf);
    // Exact name, first match; an unknown name leaves properties empty.
    void getPropertiesOf(const std::string& name);

    // Whether the last load hit a bound of the reader (see VCardLimits) and left something out.
    bool truncated() const { return truncated_; }

private:
    void takeCards(std::vector<VCard> cards, bool truncated);

    // One card per listed contact, in the order of contacts, so names and cards never drift apart.
    std::vector<VCard> cards_;
    // The first entry of each name: an import asks every contact in turn, and a
    // scan per question would make that quadratic.
    std::unordered_map<std::string, size_t> firstByName_;
    bool truncated_ = false;
};

} // namespace kestrin
