#pragma once
// How fuzz_vcard walks one input, taken as the bytes of a .vcf file. The replay
// test walks every kept input the same way. A walk returns what went wrong, so
// the fuzz target can abort and the test can report it.
#include "storage/address_book.h"
#include "storage/vcard_reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrin {

inline bool hasControlByte(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    return false;
}

inline std::optional<std::string> checkPropertyLine(const std::string& line)
{
    if (hasControlByte(line))
        return "a property line holds a control byte: " + line;
    const size_t equals = line.find('=');
    if (equals == 0 || equals == std::string::npos)
        return "a property line has no name: " + line;
    for (size_t i = 0; i < equals; ++i)
        if (!((line[i] >= 'A' && line[i] <= 'Z') || (line[i] >= '0' && line[i] <= '9') || line[i] == '-' ||
              line[i] == '_'))
            return "a property name is not upper-case letters, digits, '-' or '_': " + line;
    return std::nullopt;
}

// The lines of one contact: the preferred address first when there is one, then its name, each one line.
inline std::optional<std::string> checkContact(AddressBook& book, const std::string& name)
{
    if (name.empty() || hasControlByte(name))
        return "a contact name is empty or holds a control byte";
    book.getPropertiesOf(name);
    const auto& lines = book.properties;
    const bool hasAddress = !lines.empty() && lines[0].rfind("EMAIL_ADDRESS=", 0) == 0;
    const size_t nameLine = hasAddress ? 1 : 0;
    if (lines.size() <= nameLine || lines[nameLine] != "DISPLAY_NAME=" + name)
        return "the properties of " + name + " do not name it";
    if (hasAddress && lines[0].size() == std::string_view("EMAIL_ADDRESS=").size())
        return "an empty preferred address";
    for (const auto& line : lines)
        if (auto fault = checkPropertyLine(line))
            return fault;
    return std::nullopt;
}

inline std::optional<std::string> walkVCardInput(std::string_view input)
{
    AddressBook book;
    book.loadBytes(input);
    if (book.contacts.size() > readVCards(input).size())
        return "more contacts than cards";
    for (const auto& name : book.contacts)
        if (auto fault = checkContact(book, name))
            return fault;
    book.getPropertiesOf("\n");
    if (!book.properties.empty())
        return "an unknown name has properties";
    return std::nullopt;
}

} // namespace kestrin
