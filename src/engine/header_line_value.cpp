#include "engine/header_line_value.h"

#include "text/ascii_case.h"

namespace kestrin {

HeaderLineValue headerLineValue(const TIdHeaderList& rawHeaders, std::string_view name)
{
    // The colon and the blank after the name.
    constexpr size_t kSeparatorLength = 2;
    for (const std::string& line : rawHeaders.lines) {
        if (!startsWithIgnoreCase(line, name))
            continue;
        const size_t valueStart = name.size() + kSeparatorLength;
        return {valueStart < line.size() ? line.substr(valueStart) : std::string(), true};
    }
    return {};
}

HeaderLineValue headerLineValue(const TIdMessage& message, std::string_view name)
{
    return headerLineValue(message.rawHeaders, name);
}

} // namespace kestrin
