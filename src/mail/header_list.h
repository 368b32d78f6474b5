#pragma once
// Raw header lines of a message, in the order received; folded continuation
// lines stay separate lines.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

class TIdHeaderList {
public:
    std::vector<std::string> lines;

    void add(std::string line) { lines.push_back(std::move(line)); }
    void clear() { lines.clear(); }
    size_t count() const { return lines.size(); }
    bool empty() const { return lines.empty(); }

    // The unfolded, trimmed value of the first line whose name (the text before
    // the first ':') equals name ignoring ASCII case; empty when there is none.
    std::string value(std::string_view name) const;
};

} // namespace kestrin
