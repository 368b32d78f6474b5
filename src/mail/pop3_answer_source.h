#pragma once
// Line sources over an open POP3 connection: every line of the channel, and
// the data lines of one multi-line answer (RETR, TOP) up to its "." line.
#include "mail/line_channel.h"
#include "mail/line_source.h"

#include <string>

namespace kestrin {

// The channel's lines; it never ends by returning false: the channel throws
// (time-out, closed connection) instead.
class ChannelLineSource : public LineSource {
public:
    explicit ChannelLineSource(LineChannel& channel) : channel_(channel) {}
    bool readLine(std::string& line) override;

private:
    LineChannel& channel_;
};

// Ends after consuming the "." line, so the message reader sees exactly one
// answer and the session stays in step with the server.
class Pop3AnswerSource : public LineSource {
public:
    explicit Pop3AnswerSource(LineSource& lines) : lines_(lines) {}
    bool readLine(std::string& line) override;

    // Reads and drops the rest of the answer, unless the transport already
    // failed (another read would only fail again, after another time-out).
    void drain();

private:
    LineSource& lines_;
    bool ended_ = false;
    bool transportFailed_ = false;
};

} // namespace kestrin
