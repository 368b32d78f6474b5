#include "mail/message_writer.h"

#include "mail/mail_errors.h"

#include <fstream>

namespace kestrin {

std::vector<std::string> messageLines(const TIdMessage& message, HeaderPurpose purpose)
{
    std::vector<std::string> lines = generateHeaders(message, purpose);
    lines.emplace_back();
    const std::vector<std::string> body = bodyLines(message);
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

std::vector<std::string> dotStuff(std::vector<std::string> lines)
{
    for (std::string& line : lines) {
        if (!line.empty() && line.front() == '.')
            line.insert(line.begin(), '.');
    }
    return lines;
}

// A plain write: the file is the temporary copy of the last fetched message,
// rewritten for every fetch, and the archive copies it only once it is whole.
void TIdMessage::saveToFile(const std::string& fileName) const
{
    std::string text;
    for (const std::string& line : dotStuff(messageLines(*this, HeaderPurpose::File))) {
        text += line;
        text += "\r\n";
    }
    text += ".\r\n";
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file)
        throw EIdException("Cannot save message to file " + fileName);
}

} // namespace kestrin
