#pragma once
// Settings left by an older version of the program, which a separate converter
// program turns into the current files.
#include <string>

namespace kestrin {

// True when any of config/acc_database.dat, config/regs_database.dat,
// config/fri_database.dat or config.ini is present below the program folder.
bool olderVersionSettingsExist(const std::string& programFolder);

} // namespace kestrin

namespace kestrin {

// True when none of config/acc_database2.dat, config/regs_database2.dat and
// config/fri_database2.dat exists but settings of an older version do: the
// program must hand over to the converter instead of starting empty.
bool settingsNeedConversion(const std::string& programFolder);

} // namespace kestrin
