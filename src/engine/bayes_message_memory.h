#pragma once
// The words of recently checked messages, kept until the user marks their
// report entries: a report entry holds only ten keywords, but a mark must
// teach the filter every word of the message it stands for. Kept in memory
// only; an entry from before the program started is marked by its keywords
// and subject.
#include "storage/mail_report_entry.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrin {

class BayesMessageMemory {
public:
    // Enough for the report of a busy day; the oldest message is forgotten first.
    static constexpr size_t kMaxMessages = 2000;
    static constexpr size_t kMaxBytes = size_t{32} << 20;

    // payload: the "mail" entry's payload as the check cycle wrote it; words:
    // bayesWordList of the message's verdict text.
    void remember(std::string_view payload, std::string words);
    // The remembered words of the entry's message, joined by blanks.
    std::optional<std::string> words(const MailReportEntry& entry) const;

    size_t size() const { return order_.size(); }

private:
    void forgetOldest();

    std::unordered_map<std::string, std::string> words_;
    std::deque<std::string> order_;
    size_t bytes_ = 0;
};

} // namespace kestrin
