#pragma once
// What one server answer may cost, in bytes and in time. Idle time-outs alone
// let a server that trickles one byte a second hold a session for hours, and
// line limits alone let an endless answer fill memory; every reply and every
// multi-line answer is read under one of these budgets instead.
#include "mail/line_channel.h"

#include <cstddef>
#include <cstdint>

namespace kestrin {

struct AnswerLimits {
    size_t maxLineLength = 0; // bytes of one line, without its line end
    size_t maxBytes = 0;      // bytes of the whole answer, line ends included
    int waitMs = 0;           // 0 = no time limit at all
    // 0: the whole answer must arrive within waitMs. Otherwise the answer has
    // waitMs to start and then must keep this average rate.
    uint32_t minBytesPerSecond = 0;
};

// A command reply (greeting, single-line answers, the status line of a
// multi-line one, an SMTP reply of continuation lines): all of it within the
// wait, no more lines than the reply reader accepts.
AnswerLimits replyLimits(size_t maxLineLength, size_t maxLines, int waitMs);

class AnswerBudget {
public:
    explicit AnswerBudget(const AnswerLimits& limits, SteadyClock::time_point start = SteadyClock::now());

    size_t maxLineLength() const { return limits_.maxLineLength; }
    // Counts one whole line (with its line end) as read.
    void consume(size_t lineBytes);
    // Throws EIdAnswerTooLarge when the lines read and the pending bytes of
    // the line under way exceed the whole answer's limit.
    void check(size_t pendingBytes) const;
    // When the answer's next byte must have arrived, given the bytes so far.
    SteadyClock::time_point deadline(size_t pendingBytes) const;

private:
    AnswerLimits limits_;
    SteadyClock::time_point start_;
    size_t consumed_ = 0;
};

} // namespace kestrin
