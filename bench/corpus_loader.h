#pragma once
// Loads the corpus messages the benchmarks run over into memory, so that the
// measured time is parsing, not disk reading.
#include <string>
#include <vector>

namespace kestrin::bench {

// Every *.txt file of the corpus folders easy-ham-1 and spam-1, whole.
std::vector<std::string> loadCorpusMessages();

struct CorpusFile {
    std::string path;
    std::string text;
};

// The *.txt files of one corpus folder, sorted by name; none when it is missing.
std::vector<CorpusFile> loadCorpusFolder(const std::string& folder);

} // namespace kestrin::bench
