#include "engine/archive_file.h"

#include "mail/file_line_source.h"
#include "storage/atomic_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace kestrin {
namespace {

constexpr std::string_view kArchivePrefix = "message - ";
constexpr std::string_view kArchiveSuffix = ".txt";
// Names lost to another writer before the copy gives up.
constexpr int kNameAttempts = 10;

// N of a name "message - N.txt" with N in decimal as std::to_string writes it.
std::optional<uint64_t> archiveNumber(std::string_view name)
{
    if (!name.starts_with(kArchivePrefix) || !name.ends_with(kArchiveSuffix))
        return std::nullopt;
    const std::string_view digits =
        name.substr(kArchivePrefix.size(), name.size() - kArchivePrefix.size() - kArchiveSuffix.size());
    if (digits.empty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    uint64_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return number;
}

// The numbers of the folder's "message - N.txt" entries; none while it does not exist.
std::vector<uint64_t> archiveNumbers(const std::string& folder)
{
    std::vector<uint64_t> numbers;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    if (error == std::errc::no_such_file_or_directory)
        return numbers;
    for (const std::filesystem::directory_iterator end; !error && entry != end; entry.increment(error)) {
        if (const std::optional<uint64_t> number = archiveNumber(entry->path().filename().string()))
            numbers.push_back(*number);
    }
    if (error)
        throw EFileError("Cannot examine " + folder + ": " + error.message());
    return numbers;
}

} // namespace

std::string archiveFolder(const std::string& programFolder)
{
    return programFolder + "/archive";
}

// One listing of the folder instead of a look-up per number: a cycle that
// archives many messages would otherwise look up every earlier copy again for
// each new one.
std::string firstFreeArchivePath(const std::string& folder)
{
    std::vector<uint64_t> taken = archiveNumbers(folder);
    std::sort(taken.begin(), taken.end());
    uint64_t free = 0;
    for (const uint64_t number : taken) {
        if (number > free)
            break;
        if (number == free)
            ++free;
    }
    return folder + "/message - " + std::to_string(free) + ".txt";
}

// A name is taken only when it is free at the moment of taking (no replace):
// another Kestrin archiving into the same folder, or a link planted under the
// name since the listing, makes the next listing pick another number.
std::string archiveMessageFile(const std::string& programFolder, const std::string& messageFile)
{
    const std::string folder = archiveFolder(programFolder);
    ensureFolder(folder);
    const std::string data = readWholeFile(messageFile, kMaxMessageFileBytes);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string path = firstFreeArchivePath(folder);
        if (writeNewFileAtomically(path, data))
            return path;
    }
    throw EFileError("Cannot archive into " + folder + ": every free name was taken while it was written");
}

} // namespace kestrin
