// VCardReader of storage/vcard_reader.h.
#include "storage/vcard_reader.h"

#include "storage/vcard_lines.h"
#include "storage/vcard_property.h"
#include "storage/vcard_value.h"
#include "text/ascii_case.h"
#include "text/utf16.h"

namespace kestrin {
namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

VCardVersion versionOf(std::string_view value)
{
    value = trimmed(value);
    if (value == "2.1" || value == "2.0")
        return VCardVersion::V21;
    if (value == "4.0")
        return VCardVersion::V40;
    return VCardVersion::V30;
}

bool isStructured(std::string_view name)
{
    return name == "N" || name == "ADR" || name == "ORG";
}

size_t estimatedSize(const VCardProperty& property)
{
    size_t bytes = sizeof(VCardProperty) + property.name.size() + property.value.size();
    for (const auto& parameter : property.parameters)
        bytes += sizeof(VCardParameter) + parameter.name.size() + parameter.value.size();
    for (const auto& component : property.components)
        bytes += sizeof(std::string) + component.size();
    return bytes;
}

VCardProperty decodeProperty(const VCardLine& line, VCardVersion version)
{
    VCardProperty property;
    property.name = line.name;
    property.parameters = line.parameters;
    std::string bytes = property.hasParameter("ENCODING", "QUOTED-PRINTABLE") ? decodeVCardQuotedPrintable(line.value)
                                                                              : std::string(line.value);
    bytes = decodeCharset(bytes, property.parameter("CHARSET"));
    property.value = unescapeVCardText(bytes, version);
    if (isStructured(property.name))
        property.components = splitVCardComponents(bytes, version);
    return property;
}

bool isCardMarker(const VCardLine& line, std::string_view name)
{
    return line.name == name && equalsIgnoreCase(trimmed(line.value), "VCARD");
}

// Windows tools start files with a byte order mark; a UTF-16 file is read as
// the UTF-8 it stands for, and a UTF-8 mark would otherwise spoil the first BEGIN.
std::string_view withoutByteOrderMark(std::string_view bytes, std::string& decoded)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return bytes.substr(3);
    const bool littleEndian = bytes.substr(0, 2) == "\xFF\xFE";
    if (!littleEndian && bytes.substr(0, 2) != "\xFE\xFF")
        return bytes;
    decoded = utf16ToUtf8(bytes.substr(2), littleEndian);
    return decoded;
}

} // namespace

VCardReader::VCardReader(const VCardLimits& limits) : limits_(limits)
{
}

void VCardReader::read(std::string_view bytes)
{
    std::string decoded;
    VCardLines lines(withoutByteOrderMark(bytes, decoded), limits_.maxLineBytes);
    std::string line;
    bool oversize = false;
    while (lines.next(line, oversize, isOpen_ && open_.version == VCardVersion::V21)) {
        if (oversize) {
            truncated_ = true;
            continue;
        }
        if (!handleLine(line))
            break;
    }
    endCard();
}

// False once no further card may be read.
bool VCardReader::handleLine(std::string_view text)
{
    // One parameter past the bound tells a full list from a cut one.
    auto line = splitVCardLine(text, limits_.maxParameters + 1);
    if (!line)
        return true;
    if (line->parameters.size() > limits_.maxParameters) {
        line->parameters.resize(limits_.maxParameters);
        truncated_ = true;
    }
    if (isCardMarker(*line, "BEGIN"))
        return beginCard();
    if (isCardMarker(*line, "END")) {
        endCard();
        return true;
    }
    if (isOpen_)
        addProperty(*line);
    return true;
}

bool VCardReader::beginCard()
{
    endCard();
    if (cards_.size() >= limits_.maxCards || !withinBudget(sizeof(VCard))) {
        truncated_ = true;
        return false;
    }
    open_ = VCard{};
    isOpen_ = true;
    return true;
}

void VCardReader::endCard()
{
    if (!isOpen_)
        return;
    cards_.push_back(std::move(open_));
    open_ = VCard{};
    isOpen_ = false;
}

void VCardReader::addProperty(VCardLine& line)
{
    if (open_.properties.size() >= limits_.maxPropertiesPerCard) {
        truncated_ = true;
        return;
    }
    if (line.name == "VERSION")
        open_.version = versionOf(line.value);
    VCardProperty property = decodeProperty(line, open_.version);
    if (!withinBudget(estimatedSize(property))) {
        truncated_ = true;
        return;
    }
    open_.properties.push_back(std::move(property));
}

bool VCardReader::withinBudget(size_t bytes)
{
    if (bytes > limits_.maxModelBytes - modelBytes_)
        return false;
    modelBytes_ += bytes;
    return true;
}

std::vector<VCard> readVCards(std::string_view bytes)
{
    VCardReader reader;
    reader.read(bytes);
    return reader.takeCards();
}

} // namespace kestrin
