#pragma once
// Every file the program keeps is rewritten by atomic replace, so a crash or a
// full disk during a save leaves the previous file whole.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrin {

// A file could not be read or written; the message names the file and the reason.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes data to a temporary file in the same folder (mode 0600, or the mode of
// the file it replaces), flushes and fsyncs it, renames it over path and fsyncs
// the folder. Missing folders are created. Throws EFileError; path is then untouched.
void writeFileAtomically(const std::string& path, std::string_view data);

// The whole file; throws EFileError when it exists but cannot be read.
std::string readWholeFile(const std::string& path);

// Creates the folder (and its parents) when missing; throws EFileError.
void ensureFolder(const std::string& path);

// Test seam: called after the temporary file is written and synced, just before
// the rename. A test makes it throw to stand for a crash at the worst moment.
void setBeforeRenameHookForTests(std::function<void(const std::string& temporaryPath)> hook);

} // namespace kestrin
