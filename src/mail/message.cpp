#include "mail/message.h"

#include "mail/file_line_source.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"

namespace kestrin {

void TIdMessage::Clear()
{
    *this = TIdMessage();
}

void TIdMessage::loadFromFile(const std::string& fileName)
{
    Clear();
    FileLineSource source;
    if (!source.open(fileName))
        throw EIdMessageCannotLoad("Cannot load message from file " + fileName);
    readMessage(*this, source);
}

} // namespace kestrin
