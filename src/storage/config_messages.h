#pragma once
// The texts the program shows when its configuration cannot be read or written.
#include <string>
#include <vector>

namespace kestrin {

// "Wystąpił błąd podczas otwierania pliku konfiguracji!" in Windows-1250.
const std::string& configOpenErrorText();
// "Wystąpił błąd podczas zapisywania pliku konfiguracji!" in Windows-1250.
const std::string& configSaveErrorText();
// The start-up could not read every file: what follows for this run, naming
// the files (relative paths) that will not be written. Windows-1250.
std::string heldBackText(const std::vector<std::string>& unreadFiles);
// The status line while no cycle may run for that reason. Windows-1250.
const std::string& cyclesHeldStatusText();

} // namespace kestrin
