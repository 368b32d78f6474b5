#pragma once
// The settings a program folder starts with. The Windows program's default
// mail program (Outlook Express under C:\Program Files) names no file on this
// system, so "Uruchom program pocztowy" would fail out of the box; a folder's
// first settings name the desktop's mail program instead, found by the caller.
#include "storage/settings.h"

#include <string>

namespace kestrin {

// True while the program folder has no options.ini and no older version's
// settings wait for the converter (which writes the file itself): its settings
// are yet to be created.
bool needsFirstSettings(const std::string& programFolder);

// Mail becomes desktopMailProgram (Windows-1250; "" = none found) unless it
// already names an existing file here or nothing was found.
void adoptDesktopMailProgram(Settings& settings, const std::string& desktopMailProgram);

// Writes options.ini with the defaults, the desktop's mail program adopted.
// Throws EFileError.
void saveFirstSettingsFile(const std::string& programFolder, TDateTime now, const std::string& desktopMailProgram);

} // namespace kestrin
