#include "mail/file_line_source.h"

#include "mail/mail_errors.h"
#include "storage/atomic_file.h"

namespace kestrin {

bool FileLineSource::open(const std::string& fileName)
{
    try {
        setText(readWholeFile(fileName, kMaxMessageFileBytes));
        return true;
    } catch (const EFileTooLarge& e) {
        throw EIdMessageCannotLoad(e.what());
    } catch (const EFileError&) {
        return false;
    }
}

} // namespace kestrin
