#pragma once
// The word filter as it was before its training and scoring were mended: top
// ten words of a marked message into tables of 400 words, and the two tables'
// sums each scaled by their own largest count. Kept only here, so that the
// accuracy benchmark shows the old and the mended filter side by side.
#include "storage/records.h"
#include "text/date_time.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrin::bench {

class FormerBayes {
public:
    // The mark: the entry's top words, then the top words of the subject.
    void mark(int list, const std::string& topWords, const std::string& subject, TDateTime now);
    // Indexes the tables; call after the last mark, before isSpam.
    void prepare();
    bool isSpam(std::string_view text, bool safeMode) const;

private:
    void train(int list, std::string_view text, TDateTime now);
    void trainPart(int list, const std::string& part, TDateTime now);
    size_t wordCount(int list) const;
    uint64_t score(int list, std::string_view text) const;

    std::vector<BayesWordRecord> words_;
    // Folded name -> summed stat per table, and each table's largest stat.
    std::unordered_map<std::string, std::array<uint64_t, 2>> sums_;
    std::array<uint64_t, 2> maxStats_{};
};

} // namespace kestrin::bench
