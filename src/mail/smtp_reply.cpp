#include "mail/smtp_reply.h"

#include "text/cp1250.h"

namespace kestrin {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int replyCode(std::string_view line)
{
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]))
        return 0;
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

// 1 to maxDigits decimal digits from position at; returns the position after them, or npos.
size_t skipDigits(std::string_view text, size_t at, size_t maxDigits)
{
    size_t end = at;
    while (end < text.size() && end - at < maxDigits && isDigit(text[end]))
        ++end;
    return end == at ? std::string_view::npos : end;
}

} // namespace

std::string TIdReplySMTP::textAsMessage() const
{
    std::string message;
    for (const auto& line : text)
        message += line + "\r\n";
    return message;
}

EIdSMTPReplyError::EIdSMTPReplyError(const TIdReplySMTP& reply) : EIdException(reply.textAsMessage()), reply_(reply)
{
}

bool endsSmtpReply(std::string_view line)
{
    return line.size() < 4 || line[3] == ' ';
}

std::string enhancedStatusCode(std::string_view text)
{
    // class "." subject "." detail: class 2, 4 or 5; subject and detail 1 to 3 digits.
    if (text.size() < 5 || (text[0] != '2' && text[0] != '4' && text[0] != '5') || text[1] != '.')
        return {};
    size_t at = skipDigits(text, 2, 3);
    if (at == std::string_view::npos || at >= text.size() || text[at] != '.')
        return {};
    at = skipDigits(text, at + 1, 3);
    if (at == std::string_view::npos || (at < text.size() && text[at] != ' '))
        return {};
    return std::string(text.substr(0, at));
}

bool SmtpReplyAssembler::addLine(std::string_view line)
{
    if (complete_)
        return true;
    if (++linesSeen_ > kMaxSmtpReplyLines)
        throw EIdSMTPReplyTooLong(winLiteral("Odpowiedź serwera SMTP jest zbyt długa!"));
    // Blank lines before the reply carry nothing (the POP3 reader skips them too).
    if (reply_.text.empty() && line.empty())
        return false;
    if (reply_.text.empty()) {
        reply_.code = replyCode(line);
        reply_.enhancedCode = enhancedStatusCode(line.size() > 4 ? line.substr(4) : std::string_view());
    }
    reply_.text.emplace_back(line.size() > 4 ? line.substr(4) : std::string_view());
    complete_ = endsSmtpReply(line);
    return complete_;
}

TIdReplySMTP readSmtpReply(const std::function<std::string()>& nextLine)
{
    SmtpReplyAssembler assembler;
    while (!assembler.addLine(nextLine())) {
    }
    return assembler.reply();
}

} // namespace kestrin
