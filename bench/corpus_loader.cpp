#include "corpus_loader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrin::bench {

std::vector<std::string> loadCorpusMessages()
{
    namespace fs = std::filesystem;
    std::vector<fs::path> paths;
    for (const char* folder : {"easy-ham-1", "spam-1"}) {
        const fs::path dir = fs::path(KESTRIN_CORPUS_DIR) / folder;
        if (!fs::is_directory(dir))
            continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".txt")
                paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> messages;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        messages.push_back(text.str());
    }
    return messages;
}

} // namespace kestrin::bench
