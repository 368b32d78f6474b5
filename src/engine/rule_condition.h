#pragma once
// The test of each rule condition (`sub`) for the kinds of field. A code the
// field does not list never holds.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrin {

// Text fields ("nazwa", "nadawca", "odbiorca", "temat", "zawartość wiadomości",
// "nazwa programu pocztowego"): both sides folded to ASCII lower case first; an
// empty value never occurs in, starts or ends a text.
bool textConditionHolds(int sub, std::string_view fieldText, std::string_view value);
// The same for a field text already folded to ASCII lower case.
bool foldedTextConditionHolds(int sub, std::string_view foldedFieldText, std::string_view value);

// "rozmiar": code 0 holds when the value in kilobytes is below messageSize bytes.
// Throws EConvertError when the value is not a decimal integer.
bool sizeConditionHolds(int sub, std::string_view value, int64_t messageSize);

// The priority digit of a value such as "wysoki (2)": the character after the
// first "(", or the first character when there is none; empty when "(" is last
// or the value is empty.
std::string priorityDigit(std::string_view value);

// "priorytet": the header value, unfolded and untrimmed, equals the digit (0) or
// differs from it (1).
bool priorityConditionHolds(int sub, std::string_view headerValue, std::string_view value);

// "kodowanie": the folded character set equals (0) or differs from (1) the folded value.
bool charsetConditionHolds(int sub, std::string_view charset, std::string_view value);

// "wersja MIME": the folded value occurs (0) or does not occur (1) in the folded header value.
bool mimeVersionConditionHolds(int sub, std::string_view headerValue, std::string_view value);

} // namespace kestrin
