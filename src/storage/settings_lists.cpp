#include "storage/settings_lists.h"

#include "text/cp1250.h"

namespace kestrin {
namespace {

constexpr std::string_view kMinutes = "min";
constexpr std::string_view kSeconds = "sek";
// Polish counts: 2-4 take "cykle", 5 and more "cykli".
constexpr std::string_view kFewCycles = "cykle";
constexpr std::string_view kManyCycles = "cykli";
constexpr std::string_view kPercent = "%";

constexpr ListItem kMinItems[] = {{1, kMinutes},   {2, kMinutes},   {3, kMinutes},   {4, kMinutes},  {5, kMinutes},
                                  {6, kMinutes},   {7, kMinutes},   {8, kMinutes},   {9, kMinutes},  {10, kMinutes},
                                  {15, kMinutes},  {20, kMinutes},  {25, kMinutes},  {30, kMinutes}, {35, kMinutes},
                                  {40, kMinutes},  {45, kMinutes},  {50, kMinutes},  {55, kMinutes}, {60, kMinutes},
                                  {120, kMinutes}, {180, kMinutes}, {240, kMinutes}, {300, kMinutes}};
constexpr ListItem kSekItems[] = {{0, kSeconds},  {10, kSeconds}, {20, kSeconds}, {30, kSeconds},
                                  {40, kSeconds}, {50, kSeconds}, {60, kSeconds}};
constexpr ListItem kAccWaitItems[] = {{0, kSeconds},  {1, kSeconds},  {2, kSeconds},  {3, kSeconds},
                                      {4, kSeconds},  {5, kSeconds},  {10, kSeconds}, {20, kSeconds},
                                      {30, kSeconds}, {40, kSeconds}, {50, kSeconds}, {60, kSeconds}};
constexpr ListItem kAccSkipItems[] = {{2, kFewCycles},   {3, kFewCycles},   {4, kFewCycles},   {5, kManyCycles},
                                      {6, kManyCycles},  {7, kManyCycles},  {8, kManyCycles},  {9, kManyCycles},
                                      {10, kManyCycles}, {20, kManyCycles}, {30, kManyCycles}, {40, kManyCycles},
                                      {50, kManyCycles}, {100, kManyCycles}};
constexpr ListItem kNetWaitItems[] = {{1, kMinutes},  {2, kMinutes},  {3, kMinutes},  {4, kMinutes},  {5, kMinutes},
                                      {6, kMinutes},  {7, kMinutes},  {8, kMinutes},  {9, kMinutes},  {10, kMinutes},
                                      {15, kMinutes}, {20, kMinutes}, {25, kMinutes}, {30, kMinutes}, {35, kMinutes},
                                      {40, kMinutes}, {45, kMinutes}, {50, kMinutes}, {55, kMinutes}, {60, kMinutes}};
constexpr ListItem kMailWaitItems[] = {{1, kSeconds},  {2, kSeconds},  {3, kSeconds},  {4, kSeconds},
                                       {5, kSeconds},  {10, kSeconds}, {15, kSeconds}, {20, kSeconds},
                                       {25, kSeconds}, {30, kSeconds}, {35, kSeconds}, {40, kSeconds},
                                       {45, kSeconds}, {50, kSeconds}, {55, kSeconds}, {60, kSeconds}};
constexpr ListItem kAlphaItems[] = {{0, kPercent, "(opcja wyłączona)"},
                                    {10, kPercent},
                                    {20, kPercent},
                                    {30, kPercent},
                                    {40, kPercent},
                                    {50, kPercent},
                                    {60, kPercent},
                                    {70, kPercent},
                                    {80, kPercent},
                                    {90, kPercent}};
constexpr ListItem kTrayActionItems[] = {{std::nullopt, {}, "Pokaż okno programu"},
                                         {std::nullopt, {}, "Uruchom program pocztowy"},
                                         {std::nullopt, {}, "Sprawdź konta pocztowe"},
                                         {std::nullopt, {}, "Pokaż zarchiwizowane wiadomości"}};

// In the order of the enumeration.
constexpr SettingsList kLists[] = {
    SettingsList::Min,     SettingsList::Sek,      SettingsList::AccWait, SettingsList::AccSkip,
    SettingsList::NetWait, SettingsList::MailWait, SettingsList::Alpha,   SettingsList::DefaultTrayAction};

bool isInside(SettingsList list, int32_t position)
{
    return position >= 0 && static_cast<size_t>(position) < listTable(list).size();
}

std::vector<std::string> itemTexts(SettingsList list)
{
    std::vector<std::string> texts;
    for (const ListItem& item : listTable(list))
        texts.push_back(itemText(item));
    return texts;
}

} // namespace

std::span<const ListItem> listTable(SettingsList list)
{
    switch (list) {
    case SettingsList::Min:
        return kMinItems;
    case SettingsList::Sek:
        return kSekItems;
    case SettingsList::AccWait:
        return kAccWaitItems;
    case SettingsList::AccSkip:
        return kAccSkipItems;
    case SettingsList::NetWait:
        return kNetWaitItems;
    case SettingsList::MailWait:
        return kMailWaitItems;
    case SettingsList::Alpha:
        return kAlphaItems;
    case SettingsList::DefaultTrayAction:
        break;
    }
    return kTrayActionItems;
}

std::string itemText(const ListItem& item)
{
    std::string text;
    if (item.value) {
        text = std::to_string(*item.value);
        if (!item.unit.empty() && item.unit.front() != '%')
            text += ' ';
        text += item.unit;
        if (!item.label.empty())
            text += ' ';
    }
    return text + winLiteral(item.label);
}

const std::vector<std::string>& listItems(SettingsList list)
{
    static const std::vector<std::vector<std::string>> texts = [] {
        std::vector<std::vector<std::string>> all;
        for (const SettingsList each : kLists)
            all.push_back(itemTexts(each));
        return all;
    }();
    return texts[static_cast<size_t>(list)];
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

std::optional<int32_t> positionValue(SettingsList list, int32_t position)
{
    if (!isInside(list, position))
        return std::nullopt;
    return listTable(list)[static_cast<size_t>(position)].value;
}

int32_t itemNumber(SettingsList list, int32_t position)
{
    const int32_t used = isInside(list, position) ? position : defaultPosition(list);
    return positionValue(list, used).value_or(0);
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
