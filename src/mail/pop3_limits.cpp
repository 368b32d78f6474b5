#include "mail/pop3_limits.h"

namespace kestrin {
namespace {

constexpr size_t kAnswerMargin = 64 * 1024;

} // namespace

bool fitsWholeFetch(int64_t listedSize)
{
    if (listedSize == kMessageSizeMissing)
        return true;
    return listedSize >= 0 && listedSize <= kMaxWholeMessageBytes;
}

size_t messageAnswerBytes(int64_t listedSize)
{
    const int64_t basis = listedSize >= 0 && listedSize <= kMaxWholeMessageBytes ? listedSize : kMaxWholeMessageBytes;
    return static_cast<size_t>(2 * basis) + kAnswerMargin;
}

// The data lines of a multi-line answer, after its status line.
AnswerLimits blockLimits(size_t maxLineLength, size_t maxBytes, int waitMs)
{
    return AnswerLimits{maxLineLength, maxBytes, waitMs, kMinAnswerBytesPerSecond};
}

} // namespace kestrin
