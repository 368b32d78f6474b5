#include "storage/first_settings.h"

#include "storage/old_version.h"
#include "text/cp1250.h"

#include <filesystem>

namespace kestrin {

bool needsFirstSettings(const std::string& programFolder)
{
    std::error_code error;
    return !std::filesystem::exists(std::filesystem::symlink_status(settingsFilePath(programFolder), error)) &&
           !settingsNeedConversion(programFolder);
}

void adoptDesktopMailProgram(Settings& settings, const std::string& desktopMailProgram)
{
    std::error_code error;
    if (desktopMailProgram.empty() || std::filesystem::is_regular_file(cp1250ToUtf8(settings.mail), error))
        return;
    settings.mail = desktopMailProgram;
}

void saveFirstSettingsFile(const std::string& programFolder, TDateTime now, const std::string& desktopMailProgram)
{
    Settings settings = defaultSettings(programFolder, now);
    adoptDesktopMailProgram(settings, desktopMailProgram);
    saveSettingsFile(programFolder, settings);
}

} // namespace kestrin
