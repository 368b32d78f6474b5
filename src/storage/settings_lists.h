#pragma once
// The drop-down lists whose positions the settings file stores, and the values
// the program takes from them. Item texts are Windows-1250 data.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum class SettingsList {
    Min,              // check interval, minutes: "1 min" ... "300 min" (24 items)
    Sek,              // check interval, seconds: "0 sek" ... "60 sek" (7)
    AccWait,          // pause between accounts: "0 sek" ... "60 sek" (12)
    AccSkip,          // cycles to skip after a failure: "2 cykle" ... "100 cykli" (14)
    NetWait,          // wait for an internet connection: "1 min" ... "60 min" (20)
    MailWait,         // mail server timeout: "1 sek" ... "60 sek" (16)
    Alpha,            // translucency: "0% (opcja wyłączona)", "10%" ... "90%" (10)
    DefaultTrayAction // double click on the tray icon (4)
};

// One item of a list: a number with its unit ("10 sek", "5 cykli", "90%"),
// or, in the list of tray actions, a label alone. The list tables hold these;
// the texts shown and the values used both come from them.
struct ListItem {
    std::optional<int32_t> value;
    std::string_view unit = {};  // a word follows the number after a space, a sign ("%") directly
    std::string_view label = {}; // UTF-8; after the unit and a space, or alone without a value
};

std::span<const ListItem> listTable(SettingsList list);

// "<value> <unit> <label>" as the list shows it, in Windows-1250.
std::string itemText(const ListItem& item);

// Every item's text, in list order.
const std::vector<std::string>& listItems(SettingsList list);

// The position the list has when its key is missing from the file.
int32_t defaultPosition(SettingsList list);

// The value of the item at a stored position; nullopt for a position outside
// the list or an item without a value.
std::optional<int32_t> positionValue(SettingsList list, int32_t position);

// The value at position, for the lists that hold one. A position outside the
// list (an edited file; such a list shows no selection) takes the default
// position's item, so a stored -1 never turns into a zero interval or
// timeout. Items without a value (DefaultTrayAction) give 0.
int32_t itemNumber(SettingsList list, int32_t position);

// Check timer interval in milliseconds: minutes x 60000 + seconds x 1000.
int64_t checkIntervalMs(int32_t minPosition, int32_t sekPosition);

// Main window opacity for an Alpha position: 255 - round(position x 25.5),
// halves to even. nullopt = translucency off (position 0, or a position
// outside the list, which would give an opacity outside 0-255).
std::optional<int32_t> windowOpacity(int32_t alphaPosition);

} // namespace kestrin
