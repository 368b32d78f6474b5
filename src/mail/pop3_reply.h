#pragma once
// One POP3 server reply and the rules for reading it from lines. Reading
// depends only on a LineSource, so the rules are tested and fuzzed without a
// socket.
#include "mail/line_source.h"
#include "mail/mail_errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

struct TIdReplyPOP3 {
    std::string code = "+OK"; // "+OK", "-ERR" or "+"
    std::vector<std::string> text;
    std::string extendedCode; // RFC 2449 / RFC 3206 response code of a -ERR reply, without brackets

    // Every text line followed by CR LF: the message of an error raised for this reply.
    std::string textAsMessage() const;
};

// A reply whose code was not the one the command expected; the message is the reply's text lines.
class EIdReplyPOP3Error : public EIdException {
public:
    explicit EIdReplyPOP3Error(TIdReplyPOP3 reply);
    const TIdReplyPOP3& reply() const { return reply_; }

private:
    TIdReplyPOP3 reply_;
};

// The longest reply (in lines) the reader accepts: POP3 replies are one line,
// and a hostile server must not make the client collect lines for ever.
constexpr size_t kMaxPop3ReplyLines = 100;

// Adds one received line to the reply being read. Blank lines before the first
// reply line are skipped. Returns true when the reply goes on with another line.
bool addPop3ReplyLine(TIdReplyPOP3& reply, std::string_view line, bool firstLine);

// Reads one whole reply. Throws EIdConnClosedGracefully when the lines end
// before it is complete, EIdReplyPOP3Error when it runs past kMaxPop3ReplyLines.
TIdReplyPOP3 readPop3Reply(LineSource& source);

// The lines of a multi-line answer up to the "." line, which is dropped; a
// leading ".." loses its first dot (the CAPA answer). Throws
// EIdConnClosedGracefully when the lines end before the "." line.
std::vector<std::string> readPop3Block(LineSource& source);

} // namespace kestrin
