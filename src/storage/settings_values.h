#pragma once
// Values the program derives from stored settings, and back.
#include <cstdint>
#include <string>

namespace kestrin {

struct ColorParts {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
};

// red + green x 256 + blue x 65536, the form of a Windows colour. Each part is
// held to 0-255 first: an edited file could hold anything, and a part outside
// a byte would spill into its neighbour.
uint32_t colorFromParts(int32_t red, int32_t green, int32_t blue);

// The low, middle and high bytes of a colour.
ColorParts partsOfColor(uint32_t color);

// The sort of a list page: its column and whether it runs descending.
struct SortState {
    int32_t column = 0;
    bool descending = false;

    bool operator==(const SortState&) const = default;
};

// A click on a column header: the sort column again inverts the direction;
// another column becomes the sort column, ascending.
SortState sortStateAfterClick(SortState current, int32_t clickedColumn);

// The list is restored at start by a simulated click on the stored column,
// which inverts the direction; so the direction is held inverted before it.
SortState sortStateBeforeRestore(int32_t storedColumn, bool storedDescending);

// What the restore leaves: the stored column in the stored direction.
SortState restoredSortState(int32_t storedColumn, bool storedDescending);

// A skin path that does not name an .ini file falls back to the default skin.
std::string skinPathOrDefault(const std::string& value, const std::string& defaultPath);

} // namespace kestrin
