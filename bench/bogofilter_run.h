#pragma once
// bogofilter, the reference the word filter is measured against: trained on
// the same messages in a temporary word-list folder, then asked in bulk.
#include <map>
#include <string>
#include <vector>

namespace kestrin::bench {

class BogofilterRun {
public:
    BogofilterRun();
    ~BogofilterRun();
    BogofilterRun(const BogofilterRun&) = delete;
    BogofilterRun& operator=(const BogofilterRun&) = delete;

    static bool available();

    // -n for good mail, -s for spam; each file is one message.
    void train(const std::vector<std::string>& files, bool spam);
    // File -> 'S' spam, 'H' ham or 'U' unsure, as `bogofilter -T -B` prints them.
    std::map<std::string, char> classify(const std::vector<std::string>& files);

private:
    std::string run(const std::vector<std::string>& arguments, const std::vector<std::string>& files);

    std::string dir_;
};

} // namespace kestrin::bench
