#pragma once
// Line sources over an open POP3 connection: the lines of one answer under its
// budget, and the data lines of a multi-line answer (CAPA, RETR, TOP) up to
// its "." line.
#include "mail/answer_budget.h"
#include "mail/line_reader.h"
#include "mail/line_source.h"

#include <string>

namespace kestrin {

// The connection's lines under one budget; it never ends by returning false:
// the reader throws (time-out, limit, closed connection) instead.
class ChannelLineSource : public LineSource {
public:
    ChannelLineSource(LineReader& reader, AnswerBudget& budget) : reader_(reader), budget_(budget) {}
    bool readLine(std::string& line) override;

private:
    LineReader& reader_;
    AnswerBudget& budget_;
};

// Ends after consuming the "." line, so the message reader sees exactly one
// answer and the session stays in step with the server.
class Pop3AnswerSource : public LineSource {
public:
    explicit Pop3AnswerSource(LineSource& lines) : lines_(lines) {}
    bool readLine(std::string& line) override;

    // Reads and drops the rest of the answer.
    void drain();
    // The "." line was read: the connection is in step again.
    bool ended() const { return ended_; }

private:
    LineSource& lines_;
    bool ended_ = false;
};

} // namespace kestrin
