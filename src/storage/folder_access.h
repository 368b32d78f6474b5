#pragma once
// Whether the program can write its folders right now. Asked before a check
// cycle contacts any server: a cycle that deletes mail and then cannot save the
// report saying what it deleted has lost that mail without a trace.
#include <optional>
#include <string>

namespace kestrin {

// True when a new file can be created and written in the folder: a fresh
// temporary file (O_EXCL, so nothing already there is opened) is made, written
// and removed. Permission bits alone do not tell: root ignores them, and a
// read-only mount or an immutable folder refuses root as well.
bool folderWritable(const std::string& folder);

// The first of the program folder's config/ and archive/ that cannot take a
// new file, each created (0700) first when missing; nullopt when both can.
std::optional<std::string> unwritableProgramFolder(const std::string& programFolder);

} // namespace kestrin
