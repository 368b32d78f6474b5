#include "engine/archive_cleanup.h"

#include "engine/archive_file.h"
#include "text/ascii_case.h"

#include <filesystem>
#include <system_error>

namespace kestrin {
namespace {

bool hasTextExtension(const std::string& name)
{
    constexpr std::string_view extension = ".txt";
    return name.size() >= extension.size() &&
           equalsIgnoreCase(std::string_view(name).substr(name.size() - extension.size()), extension);
}

} // namespace

int deleteArchiveTextFiles(const std::string& programFolder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    int deleted = 0;
    // Error-code iteration: an unreadable or missing folder simply ends the clean-up.
    for (fs::directory_iterator entry(archiveFolder(programFolder), error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        std::error_code ignored;
        // A link is removed as a link; its target elsewhere is not the archive's.
        if (entry->is_directory(ignored) && !entry->is_symlink(ignored))
            continue;
        if (!hasTextExtension(entry->path().filename().string()))
            continue;
        if (fs::remove(entry->path(), ignored))
            ++deleted;
    }
    return deleted;
}

} // namespace kestrin
