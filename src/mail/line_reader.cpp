#include "mail/line_reader.h"

#include "mail/mail_errors.h"

namespace kestrin {
namespace {

// One receive takes at most this much, so the buffer never holds much more
// than the line under way, whatever a fast sender pushes.
constexpr size_t kReceiveChunk = 64 * 1024;

} // namespace

std::string LineReader::readLine(AnswerBudget& budget)
{
    std::string line;
    while (!takeLine(line, budget))
        receiveMore(budget);
    return line;
}

// The next line when the buffer holds one. Taken lines only move the read
// offset, and a line under way is not searched again from its start, so large
// answers cost linear time.
bool LineReader::takeLine(std::string& line, AnswerBudget& budget)
{
    const size_t lf = buffer_.find('\n', start_ + scanned_);
    const size_t end = lf == std::string::npos ? buffer_.size() : lf;
    const bool endsWithCr = end > start_ && buffer_[end - 1] == '\r';
    // A CR at the very end may still be followed by its LF.
    const size_t length = end - start_ - (endsWithCr ? 1 : 0);
    if (length > budget.maxLineLength())
        throw EIdReadLnMaxLineLengthExceeded("Max line length exceeded.");
    if (lf == std::string::npos) {
        scanned_ = buffer_.size() - start_;
        budget.check(scanned_);
        return false;
    }
    const size_t lineBytes = lf + 1 - start_;
    budget.check(lineBytes);
    budget.consume(lineBytes);
    line.assign(buffer_, start_, length);
    start_ = lf + 1;
    scanned_ = 0;
    return true;
}

void LineReader::receiveMore(AnswerBudget& budget)
{
    buffer_.erase(0, start_);
    start_ = 0;
    channel_->receive(buffer_, kReceiveChunk, budget.deadline(buffer_.size()));
}

bool LineReader::hasUnreadBytes()
{
    return start_ < buffer_.size() || channel_->hasUnreceivedBytes();
}

void LineReader::clear()
{
    buffer_.clear();
    start_ = 0;
    scanned_ = 0;
}

void LineReader::setChannel(LineChannel& channel)
{
    channel_ = &channel;
    clear();
}

} // namespace kestrin
