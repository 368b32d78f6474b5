#include "mail/message_writer.h"

#include "mail/mail_errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// A single-named regular file: what the program itself left under the name.
bool plainFile(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1;
}

// Opens the scratch file for writing without ever writing through what someone
// else put under its name: a link is not followed (O_NOFOLLOW), and a link, a
// pipe or a second name of another file is removed (the name only) and a fresh
// file made in its place (O_EXCL, which a link cannot satisfy either).
int openScratchFile(const std::string& fileName)
{
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd >= 0 && plainFile(fd))
        return fd;
    if (fd >= 0)
        ::close(fd);
    if (::unlink(fileName.c_str()) != 0 && errno != ENOENT)
        return -1;
    return ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

// Overwrites the file in place and cuts it to the new length; false on failure.
bool overwriteFile(const std::string& fileName, const std::string& text)
{
    const int fd = openScratchFile(fileName);
    if (fd < 0)
        return false;
    bool written = true;
    for (size_t done = 0; written && done < text.size();) {
        const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        written = n > 0;
        done += written ? static_cast<size_t>(n) : 0;
    }
    written = written && ::ftruncate(fd, static_cast<off_t>(text.size())) == 0;
    return ::close(fd) == 0 && written;
}

} // namespace

// A plain write: the file is the temporary copy of the last fetched message,
// rewritten for every fetch, and the archive copies it only once it is whole.
// It is overwritten in place rather than truncated first: ext4 starts writing a
// file out at every close after it was truncated to nothing (its guard for
// files replaced that way), which for a large mailbox is a disk wait per message.
void TIdMessage::saveToFile(const std::string& fileName) const
{
    std::string text;
    for (const std::string& line : dotStuff(messageLines(*this, HeaderPurpose::File))) {
        text += line;
        text += "\r\n";
    }
    text += ".\r\n";
    if (!overwriteFile(fileName, text))
        throw EIdException("Cannot save message to file " + fileName);
}

} // namespace kestrin
