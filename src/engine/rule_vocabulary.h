#pragma once
// The rule fields and their condition lists, shared by rule evaluation, the rule
// editor, the rule page and the similar-rule search. A rule stores a condition
// code (`sub`); the editor shows the condition at a list position, and the
// condition position table converts between the two.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrin {

inline constexpr size_t kRuleFieldCount = 10;
inline constexpr size_t kConditionPositionCount = 14;
inline constexpr size_t kConditionCodeCount = 12;

// Field codes (`typ`).
enum class RuleField : uint8_t {
    Name = 0,        // "nazwa"
    Sender = 1,      // "nadawca"
    Recipient = 2,   // "odbiorca"
    Subject = 3,     // "temat"
    Body = 4,        // "zawartość wiadomości"
    Size = 5,        // "rozmiar"
    Priority = 6,    // "priorytet"
    Charset = 7,     // "kodowanie"
    Mailer = 8,      // "nazwa programu pocztowego"
    MimeVersion = 9, // "wersja MIME"
};

// Condition codes (`sub`) of the text fields. The other fields use 0 for the
// positive and 1 for the negative condition.
enum class TextCondition : uint8_t {
    Contains = 0,
    NotContains = 1,
    Equals = 2,
    NotEquals = 3,
    AnyWord = 4,
    OnlyOneWord = 5,
    AllWords = 6,
    NoWord = 7,
    StartsWith = 8,
    EndsWith = 9,
    NotStartsWith = 10,
    NotEndsWith = 11,
};

// An empty name is a separator line of the editor's list.
inline constexpr const char* kMissingCondition = "-1";

// Field names in Windows-1250, in `typ` order.
const std::array<std::string, kRuleFieldCount>& ruleFieldNames();
// Condition names in Windows-1250 per field and list position: empty for a
// separator line, "-1" (kMissingCondition) for a position the field lacks.
const std::array<std::array<std::string, kConditionPositionCount>, kRuleFieldCount>& conditionNames();
// Per field, the list position of condition codes 0 to 11.
const std::array<std::array<uint8_t, kConditionCodeCount>, kRuleFieldCount>& conditionPositionTable();

bool isTextField(int typ);
// The list position of a stored code, or -1 for a field or code outside the table.
int conditionPosition(int typ, int code);
// The first code whose position is the given one, or 0 when none is.
int conditionCode(int typ, int position);
// The name shown for a stored (typ, sub); empty outside the table.
std::string conditionName(int typ, int code);

} // namespace kestrin
