#include "mail/answer_budget.h"

#include "mail/mail_errors.h"

namespace kestrin {

AnswerLimits replyLimits(size_t maxLineLength, size_t maxLines, int waitMs)
{
    return AnswerLimits{maxLineLength, maxLines * (maxLineLength + 2), waitMs, 0};
}

AnswerBudget::AnswerBudget(const AnswerLimits& limits, SteadyClock::time_point start) : limits_(limits), start_(start)
{
}

void AnswerBudget::consume(size_t lineBytes)
{
    consumed_ += lineBytes;
}

void AnswerBudget::check(size_t pendingBytes) const
{
    if (consumed_ + pendingBytes > limits_.maxBytes)
        throw EIdAnswerTooLarge("Server answer too large.");
}

SteadyClock::time_point AnswerBudget::deadline(size_t pendingBytes) const
{
    if (limits_.waitMs <= 0)
        return kNoDeadline;
    auto allowed = std::chrono::milliseconds(limits_.waitMs);
    if (limits_.minBytesPerSecond > 0) {
        const uint64_t received = consumed_ + pendingBytes;
        allowed += std::chrono::milliseconds(received * 1000 / limits_.minBytesPerSecond);
    }
    return start_ + allowed;
}

} // namespace kestrin
