#pragma once
// Every file the program keeps is rewritten by atomic replace, so a crash or a
// full disk during a save leaves the previous file whole. Nothing here writes
// through a symbolic link: a link planted under a file's name is replaced or
// refused, never followed. Reads are bounded, so a huge or endless file (a
// device, a pipe) cannot take all memory.
#include <cstddef>
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

// A file holds more than its reader's bound.
class EFileTooLarge : public EFileError {
public:
    using EFileError::EFileError;
};

// The bound of a read that names none (tests, tools); every file the program
// itself reads names its own, beside its reader.
inline constexpr size_t kDefaultReadLimit = size_t{256} << 20;

// Writes data to a temporary file in the same folder (mode 0600, or the mode of
// the regular file it replaces), flushes and fsyncs it, renames it over path and
// fsyncs the folder. Missing folders are created (0700). Throws EFileError; path
// is then untouched.
void writeFileAtomically(const std::string& path, std::string_view data);

// The same for a file that must be new: false, and nothing written, when
// anything (a file, a folder, a link) already has that name.
bool writeNewFileAtomically(const std::string& path, std::string_view data);

// The whole file; throws EFileError when it exists but cannot be read, and
// EFileTooLarge when it holds more than maxBytes (read up to one byte past the
// bound, whatever the file's size claims).
std::string readWholeFile(const std::string& path, size_t maxBytes = kDefaultReadLimit);

// Creates the folder (and its parents) when missing, each with mode 0700
// whatever the umask; an existing folder keeps its mode. Throws EFileError.
void ensureFolder(const std::string& path);

// Test seam: called after the temporary file is written and synced, just before
// the rename. A test makes it throw to stand for a crash at the worst moment.
void setBeforeRenameHookForTests(std::function<void(const std::string& temporaryPath)> hook);

} // namespace kestrin
