#pragma once
// The archive folder: one file "message - N.txt" per archived message, a copy
// of the temporary message file, named by the first free number.
#include <string>

namespace kestrin {

// programFolder + "/archive"
std::string archiveFolder(const std::string& programFolder);

// The first "message - N.txt" (N = 0, 1, ...) that does not exist in the folder.
// Throws EFileError when the folder exists but cannot be listed.
std::string firstFreeArchivePath(const std::string& folder);

// Copies the file into the archive (creating the folder) and syncs it to disk
// before returning, so a deletion on the server can follow safely. The copy is
// always a new file: nothing already in the archive is replaced or written
// through. Returns the new file's path; throws EFileError.
std::string archiveMessageFile(const std::string& programFolder, const std::string& messageFile);

} // namespace kestrin
