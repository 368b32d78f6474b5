#include "engine/rule_vocabulary.h"

#include "text/cp1250.h"

namespace kestrin {
namespace {

using NameRow = std::array<std::string, kConditionPositionCount>;
using PositionRow = std::array<uint8_t, kConditionCodeCount>;

NameRow textFieldConditions()
{
    return {winLiteral("zawiera treść"),
            winLiteral("nie zawiera treści"),
            winLiteral("odpowiada dokładnie treści"),
            winLiteral("nie odpowiada dokładnie treści"),
            "",
            winLiteral("zawiera jakiekolwiek ze słów"),
            winLiteral("nie zawiera żadnych słów"),
            winLiteral("zawiera tylko jedno ze słów"),
            winLiteral("zawiera wszystkie słowa"),
            "",
            winLiteral("rozpoczyna się wyrażeniem"),
            winLiteral("nie rozpoczyna się wyrażeniem"),
            winLiteral("kończy się wyrażeniem"),
            winLiteral("nie kończy się wyrażeniem")};
}

NameRow twoConditions(const char* positive, const char* negative)
{
    NameRow row;
    row.fill(kMissingCondition);
    row[0] = winLiteral(positive);
    if (negative)
        row[1] = winLiteral(negative);
    return row;
}

constexpr PositionRow kTextFieldPositions = {0, 1, 2, 3, 5, 7, 8, 6, 10, 12, 11, 13};
constexpr PositionRow kSizePositions = {};
constexpr PositionRow kTwoConditionPositions = {0, 1};

} // namespace

const std::array<std::string, kRuleFieldCount>& ruleFieldNames()
{
    static const std::array<std::string, kRuleFieldCount> names = {winLiteral("nazwa"),
                                                                   winLiteral("nadawca"),
                                                                   winLiteral("odbiorca"),
                                                                   winLiteral("temat"),
                                                                   winLiteral("zawartość wiadomości"),
                                                                   winLiteral("rozmiar"),
                                                                   winLiteral("priorytet"),
                                                                   winLiteral("kodowanie"),
                                                                   winLiteral("nazwa programu pocztowego"),
                                                                   winLiteral("wersja MIME")};
    return names;
}

const std::array<std::array<std::string, kConditionPositionCount>, kRuleFieldCount>& conditionNames()
{
    static const std::array<NameRow, kRuleFieldCount> names = {
        textFieldConditions(),
        textFieldConditions(),
        textFieldConditions(),
        textFieldConditions(),
        textFieldConditions(),
        twoConditions("przekracza wartość (Kb)", nullptr),
        twoConditions("posiada wartość", "nie posiada wartości"),
        twoConditions("odpowiada standardowi", "nie odpowiada standardowi"),
        textFieldConditions(),
        twoConditions("odpowiada wartości", "nie odpowiada wartości")};
    return names;
}

const std::array<std::array<uint8_t, kConditionCodeCount>, kRuleFieldCount>& conditionPositionTable()
{
    static constexpr std::array<PositionRow, kRuleFieldCount> table = {
        kTextFieldPositions, kTextFieldPositions,   kTextFieldPositions,    kTextFieldPositions,
        kTextFieldPositions, kSizePositions,        kTwoConditionPositions, kTwoConditionPositions,
        kTextFieldPositions, kTwoConditionPositions};
    return table;
}

bool isTextField(int typ)
{
    return (typ >= static_cast<int>(RuleField::Name) && typ <= static_cast<int>(RuleField::Body)) ||
           typ == static_cast<int>(RuleField::Mailer);
}

int conditionPosition(int typ, int code)
{
    if (typ < 0 || typ >= static_cast<int>(kRuleFieldCount) || code < 0 ||
        code >= static_cast<int>(kConditionCodeCount))
        return -1;
    return conditionPositionTable()[typ][code];
}

int conditionCode(int typ, int position)
{
    if (typ < 0 || typ >= static_cast<int>(kRuleFieldCount))
        return 0;
    const PositionRow& row = conditionPositionTable()[typ];
    for (size_t code = 0; code < row.size(); ++code) {
        if (row[code] == position)
            return static_cast<int>(code);
    }
    return 0;
}

std::string conditionName(int typ, int code)
{
    const int position = conditionPosition(typ, code);
    return position < 0 ? std::string() : conditionNames()[typ][position];
}

} // namespace kestrin
