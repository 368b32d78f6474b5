#pragma once
#include <string>
#include <vector>

namespace kestrin {

class TIdEMailAddressItem {
public:
    std::string Name;
    std::string Address;

    // The form used for the new-mail notice, Reply-To headers and joined lists.
    std::string text() const;
    bool empty() const { return Name.empty() && Address.empty(); }
};

class TIdEMailAddressList {
public:
    std::vector<TIdEMailAddressItem> items;

    size_t count() const { return items.size(); }
    bool empty() const { return items.empty(); }
    void add(TIdEMailAddressItem item) { items.push_back(std::move(item)); }
    void clear() { items.clear(); }
    const TIdEMailAddressItem& operator[](size_t i) const { return items[i]; }
    // Items' text forms joined with ", ".
    std::string text() const;
};

} // namespace kestrin
