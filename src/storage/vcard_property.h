#pragma once
// Takes one unfolded vCard line apart: "[group.]NAME *(;param) : value".
#include "storage/vcard.h"

#include <optional>
#include <string_view>
#include <vector>

namespace kestrin {

struct VCardLine {
    std::string name; // upper case, group removed
    std::vector<VCardParameter> parameters;
    std::string_view value; // as written: still encoded and escaped
};

// Nullopt when the line is no property: no ':' or a name that is empty or
// holds anything but letters, digits, '-' and '_' (the name later becomes the
// left side of a "NAME=value" line). At most maxParameters values are kept.
std::optional<VCardLine> splitVCardLine(std::string_view line, size_t maxParameters);

} // namespace kestrin
