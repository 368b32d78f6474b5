#include "engine/archive_file.h"

#include "storage/atomic_file.h"

#include <filesystem>

namespace kestrin {

std::string archiveFolder(const std::string& programFolder)
{
    return programFolder + "/archive";
}

std::string firstFreeArchivePath(const std::string& folder)
{
    for (unsigned long long n = 0;; ++n) {
        std::string path = folder + "/message - " + std::to_string(n) + ".txt";
        std::error_code error;
        if (!std::filesystem::exists(path, error) && !error)
            return path;
        if (error)
            throw EFileError("Cannot examine " + path + ": " + error.message());
    }
}

std::string archiveMessageFile(const std::string& programFolder, const std::string& messageFile)
{
    const std::string folder = archiveFolder(programFolder);
    ensureFolder(folder);
    const std::string data = readWholeFile(messageFile);
    const std::string path = firstFreeArchivePath(folder);
    writeFileAtomically(path, data);
    return path;
}

} // namespace kestrin
