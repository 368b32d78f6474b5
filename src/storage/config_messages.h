#pragma once
// The texts the program shows when its configuration cannot be read or written.
#include <string>

namespace kestrin {

// "Wystąpił błąd podczas otwierania pliku konfiguracji!" in Windows-1250.
const std::string& configOpenErrorText();
// "Wystąpił błąd podczas zapisywania pliku konfiguracji!" in Windows-1250.
const std::string& configSaveErrorText();

} // namespace kestrin
