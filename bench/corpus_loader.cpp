#include "corpus_loader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrin::bench {

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> folderPaths(const std::string& folder)
{
    std::vector<fs::path> paths;
    const fs::path dir = fs::path(KESTRIN_CORPUS_DIR) / folder;
    if (!fs::is_directory(dir))
        return paths;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".txt")
            paths.push_back(entry.path());
    }
    return paths;
}

std::string readWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<std::string> loadCorpusMessages()
{
    std::vector<fs::path> paths = folderPaths("easy-ham-1");
    const std::vector<fs::path> spam = folderPaths("spam-1");
    paths.insert(paths.end(), spam.begin(), spam.end());
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> messages;
    for (const auto& path : paths)
        messages.push_back(readWhole(path));
    return messages;
}

std::vector<CorpusFile> loadCorpusFolder(const std::string& folder)
{
    std::vector<fs::path> paths = folderPaths(folder);
    std::sort(paths.begin(), paths.end());
    std::vector<CorpusFile> files;
    for (const auto& path : paths)
        files.push_back({path.string(), readWhole(path)});
    return files;
}

} // namespace kestrin::bench
