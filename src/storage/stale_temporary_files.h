#pragma once
// Temporary files left by a process that was killed while it saved: copies of
// the account file (passwords among them) and of archived mail. They are
// removed at start, by the tray program and by every kestrin-cli command that
// opens a program folder.
#include <chrono>
#include <string>

namespace kestrin {

// Older than this, a temporary file belongs to no living writer. A save lives
// from mkstemp to rename for as long as it takes to write and fsync one file
// (the largest, an archived message, is under 100 MiB: seconds even on a slow
// USB stick), and every write renews the file's time. Another kestrin-cli may
// be saving in the same folder right now (only the tray program is one copy
// per folder), so a young file is left alone.
inline constexpr std::chrono::minutes kStaleTemporaryAge{10};

// Removes, from folder only (no subfolders), the regular files named by our
// temporary pattern whose modification time is older than minAge. Links and
// other names are left alone and never followed. Returns how many went.
int removeStaleTemporaryFilesIn(const std::string& folder, std::chrono::seconds minAge = kStaleTemporaryAge);

// The same for the program folder itself, config/ and archive/.
int removeStaleTemporaryFiles(const std::string& programFolder);

} // namespace kestrin
