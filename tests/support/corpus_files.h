#pragma once
// The message files of one folder of the real mail corpus (easy-ham-1, spam-1),
// in name order; empty when the corpus is not cached.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrin::test {

inline std::vector<std::filesystem::path> corpusFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(folder))
        return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace kestrin::test
