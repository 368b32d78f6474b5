#pragma once
// What the POP3 client accepts from a server, in bytes and time, and why.
// Command replies keep the classic 16 kB line; message answers may hold lines
// of any length (HTML newsletters put whole pages on one line) but never more
// in all than the server announced plus a margin, so a lying or endless
// answer cannot fill memory.
#include "mail/answer_budget.h"

#include <cstddef>
#include <cstdint>

namespace kestrin {

// QueryMessageSize results besides real sizes.
inline constexpr int64_t kMessageSizeMissing = -1;    // "+OK n" without a size
inline constexpr int64_t kMessageSizeUnreadable = -2; // negative, not a number, or absurd

// Sizes above 2^53 are not sizes any server stores; they are treated as unreadable.
inline constexpr int64_t kLargestCredibleSize = int64_t{1} << 53;

// The largest message fetched whole: larger mail is judged by its header.
// Mail systems refuse messages above 25-50 MB; 64 MiB leaves room for that
// after transfer encoding and still bounds what one message costs in memory.
inline constexpr int64_t kMaxWholeMessageBytes = int64_t{64} * 1024 * 1024;

// A CAPA answer lists a dozen capabilities; 64 KiB is generous.
inline constexpr size_t kMaxCapaAnswerBytes = 64 * 1024;
// A TOP n 0 answer is the header alone; real headers stay far below 4 MiB.
inline constexpr size_t kMaxHeaderAnswerBytes = 4 * 1024 * 1024;

// After its first MailWait seconds a multi-line answer must keep at least
// this average rate. 4 KiB/s (32 kbit/s) is below the slowest mobile data
// links still in use, yet a server that trickles a few bytes a second is
// given up right after MailWait instead of holding the cycle for hours.
inline constexpr uint32_t kMinAnswerBytesPerSecond = 4096;

// True when a message of this listed size may be fetched whole: an unknown
// size (no size given) may; an unreadable one or one above the whole-message
// limit may not.
bool fitsWholeFetch(int64_t listedSize);

// The most a RETR answer may hold: twice the listed size (a server that counts
// bare LFs, plus dot-stuffing, never sends more) and 64 KiB; for an unknown
// size, what the largest message fetched whole could need.
size_t messageAnswerBytes(int64_t listedSize);

AnswerLimits blockLimits(size_t maxLineLength, size_t maxBytes, int waitMs);

} // namespace kestrin
