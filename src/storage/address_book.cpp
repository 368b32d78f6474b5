// Loading and looking up the contacts of storage/address_book.h.
#include "storage/address_book.h"

#include "storage/address_book_files.h"
#include "storage/vcard_contact.h"
#include "storage/vcard_reader.h"

namespace kestrin {

bool AddressBook::connect() const
{
    return true;
}

void AddressBook::loadFile()
{
    if (fileName.empty())
        throw AddressBookError("No address book is set");
    VCardReader reader;
    readAddressBookFiles(fileName, [&](std::string_view bytes) { reader.read(bytes); });
    const bool truncated = reader.truncated();
    takeCards(reader.takeCards(), truncated);
}

void AddressBook::loadBytes(std::string_view vcf)
{
    if (vcf.size() > kMaxAddressBookBytes)
        throw AddressBookError("The address book is larger than " + std::to_string(kMaxAddressBookBytes >> 20) +
                               " MiB");
    VCardReader reader;
    reader.read(vcf);
    const bool truncated = reader.truncated();
    takeCards(reader.takeCards(), truncated);
}

// Group cards and cards with no name and no address are no contacts; each
// listed name keeps its own card.
void AddressBook::takeCards(std::vector<VCard> cards, bool truncated)
{
    std::vector<VCard> kept;
    std::vector<std::string> names;
    std::unordered_map<std::string, size_t> firstByName;
    for (auto& card : cards) {
        if (isGroupCard(card))
            continue;
        std::string name = contactName(card);
        if (name.empty())
            continue;
        firstByName.emplace(name, kept.size());
        names.push_back(std::move(name));
        kept.push_back(std::move(card));
    }
    cards_ = std::move(kept);
    firstByName_ = std::move(firstByName);
    contacts = std::move(names);
    properties.clear();
    truncated_ = truncated;
}

void AddressBook::getPropertiesOf(const std::string& name)
{
    properties.clear();
    const auto found = firstByName_.find(name);
    if (found != firstByName_.end())
        properties = contactPropertyLines(cards_[found->second], name);
}

} // namespace kestrin
