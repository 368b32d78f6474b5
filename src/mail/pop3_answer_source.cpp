#include "mail/pop3_answer_source.h"

namespace kestrin {

bool ChannelLineSource::readLine(std::string& line)
{
    line = reader_.readLine(budget_);
    return true;
}

bool Pop3AnswerSource::readLine(std::string& line)
{
    if (ended_)
        return false;
    if (!lines_.readLine(line) || line == ".") {
        ended_ = true;
        return false;
    }
    return true;
}

void Pop3AnswerSource::drain()
{
    std::string line;
    while (readLine(line)) {
    }
}

} // namespace kestrin
