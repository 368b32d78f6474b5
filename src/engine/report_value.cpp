#include "engine/report_value.h"

namespace kestrin {

namespace {
constexpr char kBrokenBar = '\xA6';
}

std::string neutraliseReportValue(std::string_view value)
{
    std::string result;
    result.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        result += (c == '\r' || c == '\n') ? ' ' : c;
        const bool afterBar = i > 0 && value[i - 1] == '|';
        const bool endsOrBarFollows = i + 1 == value.size() || value[i + 1] == '|';
        if (c == kBrokenBar && afterBar && endsOrBarFollows)
            result += ' ';
    }
    return result;
}

} // namespace kestrin
