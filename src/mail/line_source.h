#pragma once
// Where the message reader takes its lines from: a POP3 RETR/TOP answer or a
// file. Lines come without their line end (one CR before the LF removed).
#include <string>

namespace kestrin {

class LineSource {
public:
    virtual ~LineSource() = default;
    // False at the end of the input (for a POP3 answer: never before the "." line).
    virtual bool readLine(std::string& line) = 0;
};

} // namespace kestrin
