#include "mail/pop3_reply.h"

#include "text/ascii_case.h"

#include <array>

namespace kestrin {
namespace {

constexpr std::string_view kClosedGracefully = "Connection Closed Gracefully.";

bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view line)
{
    while (!line.empty() && isTrimmed(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isTrimmed(line.back()))
        line.remove_suffix(1);
    return line;
}

// The code ends at the first space, or without one at the first "-" after the
// first character (so "-ERR" itself is not cut), or at the end of the line.
size_t codeEnd(std::string_view line)
{
    const size_t searchFrom = !line.empty() && line.front() == '-' ? 1 : 0;
    size_t end = line.find(' ', searchFrom);
    if (end == std::string_view::npos)
        end = line.find('-', searchFrom);
    return end == std::string_view::npos ? line.size() : end;
}

std::string knownCode(std::string_view code)
{
    if (code == "+OK" || code == "-ERR" || code == "+")
        return std::string(code);
    return "-ERR";
}

// "[IN-USE] mailbox locked" -> extended code IN-USE, text "mailbox locked".
void moveExtendedCode(TIdReplyPOP3& reply)
{
    static constexpr std::array<std::string_view, 5> kExtendedCodes = {"IN-USE", "LOGIN-DELAY", "SYS/PERM", "SYS/TEMP",
                                                                       "AUTH"};
    if (reply.code != "-ERR" || reply.text.empty())
        return;
    std::string& first = reply.text.front();
    if (first.empty() || first.front() != '[')
        return;
    const size_t close = first.find(']');
    if (close == std::string::npos)
        return;
    const std::string_view word = std::string_view(first).substr(1, close - 1);
    for (const std::string_view code : kExtendedCodes) {
        if (equalsIgnoreCase(word, code)) {
            reply.extendedCode = std::string(code);
            size_t rest = close + 1;
            while (rest < first.size() && first[rest] == ' ')
                ++rest;
            first.erase(0, rest);
            return;
        }
    }
}

} // namespace

std::string TIdReplyPOP3::textAsMessage() const
{
    std::string message;
    for (const auto& line : text)
        message.append(line).append("\r\n");
    return message;
}

EIdReplyPOP3Error::EIdReplyPOP3Error(TIdReplyPOP3 reply) : EIdException(reply.textAsMessage()), reply_(std::move(reply))
{
}

bool addPop3ReplyLine(TIdReplyPOP3& reply, std::string_view line, bool firstLine)
{
    line = trimmed(line);
    if (line.empty())
        return true; // blank lines do not count as reply lines
    const size_t end = codeEnd(line);
    if (firstLine) {
        reply.code = knownCode(line.substr(0, end));
        reply.text.clear();
        reply.extendedCode.clear();
    }
    reply.text.emplace_back(end < line.size() ? line.substr(end + 1) : std::string_view());
    const bool continues = end < line.size() && line[end] == '-';
    if (!continues)
        moveExtendedCode(reply);
    return continues;
}

TIdReplyPOP3 readPop3Reply(LineSource& source)
{
    TIdReplyPOP3 reply;
    std::string line;
    bool wantMore = true;
    while (wantMore) {
        if (!source.readLine(line))
            throw EIdConnClosedGracefully(std::string(kClosedGracefully));
        wantMore = addPop3ReplyLine(reply, line, reply.text.empty());
        if (wantMore && reply.text.size() >= kMaxPop3ReplyLines)
            throw EIdReplyPOP3Error(std::move(reply));
    }
    return reply;
}

std::vector<std::string> readPop3Block(LineSource& source)
{
    std::vector<std::string> lines;
    std::string line;
    while (true) {
        if (!source.readLine(line))
            throw EIdConnClosedGracefully(std::string(kClosedGracefully));
        if (line == ".")
            return lines;
        if (line.size() >= 2 && line[0] == '.' && line[1] == '.')
            line.erase(0, 1);
        lines.push_back(line);
    }
}

} // namespace kestrin
