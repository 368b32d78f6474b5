#pragma once
// Lines from a channel, each read under the budget of the answer it belongs
// to: a line ends at LF and loses one CR before it; nothing else is changed.
// A line or answer over its limit, a deadline missed or a broken connection
// throws, and the connection is then out of step for good: its owner must give
// it up rather than send another command on it.
#include "mail/answer_budget.h"
#include "mail/line_channel.h"

#include <string>

namespace kestrin {

class LineReader {
public:
    explicit LineReader(LineChannel& channel) : channel_(&channel) {}

    // Throws EIdReadLnMaxLineLengthExceeded, EIdAnswerTooLarge, EIdReadTimeout
    // and whatever the channel throws.
    std::string readLine(AnswerBudget& budget);
    // Bytes that arrived but belong to no answer read yet, here or at the channel.
    bool hasUnreadBytes();
    // Drops what was received and not read (before a TLS switch, or a new connection).
    void clear();
    void setChannel(LineChannel& channel);

private:
    bool takeLine(std::string& line, AnswerBudget& budget);
    void receiveMore(AnswerBudget& budget);

    LineChannel* channel_;
    std::string buffer_; // received; not yet read from start_ on
    size_t start_ = 0;
    size_t scanned_ = 0; // bytes after start_ already known to hold no LF
};

} // namespace kestrin
