#pragma once
// How fuzz_ini walks one input. The replay test walks every kept input the
// same way, so a fixed fault stays fixed.
#include "storage/ini_file.h"
#include "storage/settings.h"

#include <string>
#include <string_view>

namespace kestrin {

// Parses the input as options.ini, loads every known key, stores them back,
// serializes and parses again. False when the second load differs from the
// first, or when storing the same settings again changes a byte.
inline bool walkIniInput(std::string_view input)
{
    const std::string home = "/kestrin";
    const TDateTime now = 45000.5;
    IniFile document = IniFile::parse(input);
    const Settings first = loadSettings(document, home, now);
    storeSettings(first, document);
    const std::string bytes = document.serialize();
    IniFile reparsed = IniFile::parse(bytes);
    if (!(loadSettings(reparsed, home, now) == first))
        return false;
    storeSettings(first, reparsed);
    return reparsed.serialize() == bytes;
}

} // namespace kestrin
