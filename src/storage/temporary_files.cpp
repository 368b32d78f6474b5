#include "storage/temporary_files.h"

#include <filesystem>
#include <system_error>

namespace kestrin {

void deleteTemporaryFiles(const std::string& programFolder)
{
    for (const char* name : kTemporaryFileNames) {
        std::error_code ignored;
        std::filesystem::remove(std::filesystem::path(programFolder) / name, ignored);
    }
}

} // namespace kestrin
