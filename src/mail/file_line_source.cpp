#include "mail/file_line_source.h"

#include "mail/mail_errors.h"

#include <cstdio>
#include <memory>

namespace kestrin {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

// Reads at most one byte past the bound, whatever the file claims to hold:
// /dev/zero and pipes report no size at all.
bool FileLineSource::open(const std::string& fileName)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        return false;
    std::string text;
    char buffer[65536];
    size_t got = 0;
    while (text.size() <= kMaxMessageFileBytes && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, got);
    if (text.size() > kMaxMessageFileBytes)
        throw EIdMessageCannotLoad("Cannot read " + fileName + ": the file is larger than " +
                                   std::to_string(kMaxMessageFileBytes >> 20) + " MiB");
    // A folder opens on Linux and fails only on the first read.
    if (std::ferror(file.get()))
        return false;
    setText(std::move(text));
    return true;
}

} // namespace kestrin
