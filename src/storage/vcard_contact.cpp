// The contact view of storage/vcard_contact.h.
#include "storage/vcard_contact.h"

#include "text/ascii_case.h"

#include <limits>

namespace kestrin {
namespace {

std::string trimmed(std::string text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A value inside one "NAME=value" line or one list entry: no line breaks, no other control bytes.
std::string oneLine(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
    return out;
}

std::string nameFromN(const VCardProperty& n)
{
    const auto part = [&](size_t i) { return i < n.components.size() ? trimmed(oneLine(n.components[i])) : ""; };
    return trimmed(part(1) + " " + part(0));
}

// Lower is preferred; max means not marked at all.
int preferenceRank(const VCardProperty& email)
{
    constexpr int unmarked = std::numeric_limits<int>::max();
    int rank = email.hasParameter("TYPE", "PREF") ? 1 : unmarked;
    for (const auto& parameter : email.parameters) {
        if (parameter.name != "PREF")
            continue;
        // RFC 6350 allows 1 to 100; anything else still marks the address, as the least preferred.
        const std::string_view value = parameter.value;
        const bool number = !value.empty() && value.size() <= 3 && value.find_first_not_of("0123456789") == value.npos;
        const int written = number ? std::stoi(std::string(value)) : 0;
        rank = std::min(rank, written >= 1 && written <= 100 ? written : 100);
    }
    return rank;
}

} // namespace

bool isGroupCard(const VCard& card)
{
    for (const auto& property : card.properties)
        if ((property.name == "KIND" || property.name == "X-ADDRESSBOOKSERVER-KIND") &&
            equalsIgnoreCase(trimmed(property.value), "group"))
            return true;
    return false;
}

std::string contactName(const VCard& card)
{
    for (const auto& property : card.properties)
        if (property.name == "FN")
            if (std::string name = trimmed(oneLine(property.value)); !name.empty())
                return name;
    if (const VCardProperty* n = card.find("N"))
        if (std::string name = nameFromN(*n); !name.empty())
            return name;
    for (const auto& property : card.properties)
        if (property.name == "EMAIL")
            if (std::string address = trimmed(oneLine(property.value)); !address.empty())
                return address;
    return {};
}

std::optional<std::string> preferredEmail(const VCard& card)
{
    std::optional<std::string> best;
    int bestRank = 0;
    for (const auto& property : card.properties) {
        if (property.name != "EMAIL")
            continue;
        std::string address = trimmed(oneLine(property.value));
        const int rank = preferenceRank(property);
        if (!address.empty() && (!best || rank < bestRank)) {
            best = std::move(address);
            bestRank = rank;
        }
    }
    return best;
}

std::vector<std::string> contactPropertyLines(const VCard& card, const std::string& name)
{
    std::vector<std::string> lines;
    lines.reserve(card.properties.size() + 2);
    if (const auto email = preferredEmail(card))
        lines.push_back("EMAIL_ADDRESS=" + *email);
    lines.push_back("DISPLAY_NAME=" + oneLine(name));
    for (const auto& property : card.properties)
        lines.push_back(property.name + "=" + oneLine(property.value));
    return lines;
}

} // namespace kestrin
