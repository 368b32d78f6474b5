#include "mail/pop3_answer_source.h"

#include "mail/mail_errors.h"

namespace kestrin {

bool ChannelLineSource::readLine(std::string& line)
{
    line = channel_.readLine();
    return true;
}

bool Pop3AnswerSource::readLine(std::string& line)
{
    if (ended_)
        return false;
    try {
        if (!lines_.readLine(line) || line == ".") {
            ended_ = true;
            return false;
        }
    } catch (const EIdReadLnMaxLineLengthExceeded&) {
        // The channel dropped the whole line; the rest of the answer can still be drained.
        throw;
    } catch (...) {
        transportFailed_ = true;
        throw;
    }
    return true;
}

void Pop3AnswerSource::drain()
{
    if (transportFailed_)
        return;
    std::string line;
    while (readLine(line)) {
    }
}

} // namespace kestrin
