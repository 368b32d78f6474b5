#include "storage/settings_values.h"

#include <algorithm>

namespace kestrin {

uint32_t colorFromParts(int32_t red, int32_t green, int32_t blue)
{
    const auto byte = [](int32_t part) { return static_cast<uint32_t>(std::clamp(part, 0, 255)); };
    return byte(red) + byte(green) * 256u + byte(blue) * 65536u;
}

ColorParts partsOfColor(uint32_t color)
{
    return {static_cast<int32_t>(color & 0xFFu), static_cast<int32_t>((color >> 8) & 0xFFu),
            static_cast<int32_t>((color >> 16) & 0xFFu)};
}

SortState sortStateAfterClick(SortState current, int32_t clickedColumn)
{
    if (clickedColumn == current.column)
        return {current.column, !current.descending};
    return {clickedColumn, false};
}

SortState sortStateBeforeRestore(int32_t storedColumn, bool storedDescending)
{
    return {storedColumn, !storedDescending};
}

SortState restoredSortState(int32_t storedColumn, bool storedDescending)
{
    return sortStateAfterClick(sortStateBeforeRestore(storedColumn, storedDescending), storedColumn);
}

std::string skinPathOrDefault(const std::string& value, const std::string& defaultPath)
{
    return value.find(".ini") == std::string::npos ? defaultPath : value;
}

} // namespace kestrin
