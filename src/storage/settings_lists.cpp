#include "storage/settings_lists.h"

#include "text/convert_error.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"

namespace kestrin {
namespace {

// "<n> <unit>" for each number.
std::vector<std::string> numbered(std::initializer_list<int> numbers, const std::string& unit)
{
    std::vector<std::string> items;
    for (const int number : numbers)
        items.push_back(std::to_string(number) + " " + unit);
    return items;
}

std::vector<std::string> skipItems()
{
    std::vector<std::string> items = numbered({2, 3, 4}, "cykle");
    for (std::string& item : numbered({5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 100}, "cykli"))
        items.push_back(std::move(item));
    return items;
}

std::vector<std::string> alphaItems()
{
    std::vector<std::string> items = {winLiteral("0% (opcja wyłączona)")};
    for (int percent = 10; percent <= 90; percent += 10)
        items.push_back(std::to_string(percent) + "%");
    return items;
}

bool isInside(SettingsList list, int32_t position)
{
    return position >= 0 && static_cast<size_t>(position) < listItems(list).size();
}

} // namespace

const std::vector<std::string>& listItems(SettingsList list)
{
    static const std::vector<std::string> min =
        numbered({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 120, 180, 240, 300}, "min");
    static const std::vector<std::string> sek = numbered({0, 10, 20, 30, 40, 50, 60}, "sek");
    static const std::vector<std::string> accWait = numbered({0, 1, 2, 3, 4, 5, 10, 20, 30, 40, 50, 60}, "sek");
    static const std::vector<std::string> accSkip = skipItems();
    static const std::vector<std::string> netWait =
        numbered({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}, "min");
    static const std::vector<std::string> mailWait =
        numbered({1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}, "sek");
    static const std::vector<std::string> alpha = alphaItems();
    static const std::vector<std::string> trayAction = {
        winLiteral("Pokaż okno programu"), winLiteral("Uruchom program pocztowy"), winLiteral("Sprawdź konta pocztowe"),
        winLiteral("Pokaż zarchiwizowane wiadomości")};
    switch (list) {
    case SettingsList::Min:
        return min;
    case SettingsList::Sek:
        return sek;
    case SettingsList::AccWait:
        return accWait;
    case SettingsList::AccSkip:
        return accSkip;
    case SettingsList::NetWait:
        return netWait;
    case SettingsList::MailWait:
        return mailWait;
    case SettingsList::Alpha:
        return alpha;
    case SettingsList::DefaultTrayAction:
        break;
    }
    return trayAction;
}

int32_t defaultPosition(SettingsList list)
{
    switch (list) {
    case SettingsList::Min:
    case SettingsList::NetWait:
        return 4; // "5 min"
    case SettingsList::AccSkip:
        return 8; // "10 cykli"
    case SettingsList::MailWait:
        return 5; // "10 sek"
    case SettingsList::Sek:
    case SettingsList::AccWait:
    case SettingsList::Alpha:
    case SettingsList::DefaultTrayAction:
        break;
    }
    return 0;
}

std::optional<int32_t> leadingNumber(std::string_view itemText)
{
    try {
        return strictInteger(itemText.substr(0, itemText.find(' ')));
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

int32_t itemNumber(SettingsList list, int32_t position)
{
    const int32_t used = isInside(list, position) ? position : defaultPosition(list);
    return leadingNumber(listItems(list)[static_cast<size_t>(used)]).value_or(0);
}

int64_t checkIntervalMs(int32_t minPosition, int32_t sekPosition)
{
    return int64_t{itemNumber(SettingsList::Min, minPosition)} * 60000 +
           int64_t{itemNumber(SettingsList::Sek, sekPosition)} * 1000;
}

std::optional<int32_t> windowOpacity(int32_t alphaPosition)
{
    if (alphaPosition <= 0 || !isInside(SettingsList::Alpha, alphaPosition))
        return std::nullopt;
    // position x 25.5 = position x 51 / 2, rounded with halves going to the even neighbour.
    const int32_t doubled = alphaPosition * 51;
    int32_t rounded = doubled / 2;
    if (doubled % 2 != 0 && rounded % 2 != 0)
        ++rounded;
    return 255 - rounded;
}

} // namespace kestrin
