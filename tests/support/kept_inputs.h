#pragma once
// The inputs kept for a fuzz target under tests/data/<folder>: hand-written
// hostile seeds and every input that ever made the target fail.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kestrin::test {

struct KeptInput {
    std::string name;
    std::string bytes;
};

inline std::vector<KeptInput> keptFuzzInputs(const std::string& folderName)
{
    std::vector<KeptInput> inputs;
    const std::filesystem::path folder = std::filesystem::path(KESTRIN_TEST_DATA) / folderName;
    if (!std::filesystem::is_directory(folder))
        return inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        inputs.push_back({entry.path().filename().string(),
                          std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())});
    }
    std::sort(inputs.begin(), inputs.end(), [](const KeptInput& a, const KeptInput& b) { return a.name < b.name; });
    return inputs;
}

} // namespace kestrin::test
