#pragma once
// The user's number format for texts the program writes as the page shows them.
namespace kestrin {

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG): ","
// under Polish settings, "." when the locale's is not one ASCII character.
char localeDecimalSeparator();

} // namespace kestrin
