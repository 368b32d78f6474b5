#pragma once
// The start-up clean-up of the archive folder ("ClearArchOnStart").
#include <string>

namespace kestrin {

// Deletes every file of programFolder + "/archive" whose name ends in ".txt"
// (any letter case, hidden ones too, as the Windows pattern "*.txt" matched
// them). Folders and other files stay; a file that cannot be deleted is left
// and the rest go on. Returns the number of files deleted.
int deleteArchiveTextFiles(const std::string& programFolder);

} // namespace kestrin
