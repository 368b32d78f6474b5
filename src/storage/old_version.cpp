#include "storage/old_version.h"

#include <filesystem>

namespace kestrin {

bool olderVersionSettingsExist(const std::string& programFolder)
{
    for (const char* name :
         {"/config/acc_database.dat", "/config/regs_database.dat", "/config/fri_database.dat", "/config.ini"}) {
        std::error_code error;
        if (std::filesystem::exists(programFolder + name, error))
            return true;
    }
    return false;
}

} // namespace kestrin

namespace kestrin {

bool settingsNeedConversion(const std::string& programFolder)
{
    for (const char* name : {"/config/acc_database2.dat", "/config/regs_database2.dat", "/config/fri_database2.dat"}) {
        std::error_code error;
        if (std::filesystem::exists(programFolder + name, error))
            return false;
    }
    return olderVersionSettingsExist(programFolder);
}

} // namespace kestrin
