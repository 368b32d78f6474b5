#pragma once
// One SMTP server reply (RFC 5321 section 4.2): a three-digit code and its text
// lines, read line by line until a line that does not announce another.
#include "mail/mail_errors.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

struct TIdReplySMTP {
    int code = 0;                  // 0 when the first line does not start with three digits
    std::vector<std::string> text; // each line after the code and its separator
    std::string enhancedCode;      // RFC 3463 "class.subject.detail" opening the text, or empty

    // The text lines, each followed by CR LF: the message of a reply error.
    std::string textAsMessage() const;
};

// A reply with a code the command did not expect; the message is the reply text.
class EIdSMTPReplyError : public EIdException {
public:
    explicit EIdSMTPReplyError(const TIdReplySMTP& reply);
    const TIdReplySMTP& reply() const { return reply_; }

private:
    TIdReplySMTP reply_;
};

// A server that keeps sending continuation lines (or empty lines) past any
// sensible reply; reading stops instead of growing memory without bound.
class EIdSMTPReplyTooLong : public EIdException {
public:
    using EIdException::EIdException;
};

// More lines than any real EHLO answer holds (a few dozen at most).
inline constexpr size_t kMaxSmtpReplyLines = 1000;

// Builds one reply from its lines; no I/O, so the rule can be fuzzed and tested alone.
class SmtpReplyAssembler {
public:
    // Takes the next received line (without CR LF); true once the reply is complete.
    // Throws EIdSMTPReplyTooLong after kMaxSmtpReplyLines lines.
    bool addLine(std::string_view line);
    bool complete() const { return complete_; }
    const TIdReplySMTP& reply() const { return reply_; }

private:
    TIdReplySMTP reply_;
    size_t linesSeen_ = 0;
    bool complete_ = false;
};

// A line shorter than four characters, or with a space as the fourth, is the last of a reply.
bool endsSmtpReply(std::string_view line);
// The RFC 3463 status code opening the text ("5.1.1 User unknown" -> "5.1.1"), or empty.
std::string enhancedStatusCode(std::string_view text);

// Reads one reply through nextLine (which throws the transport's errors).
TIdReplySMTP readSmtpReply(const std::function<std::string()>& nextLine);

} // namespace kestrin
