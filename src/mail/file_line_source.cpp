#include "mail/file_line_source.h"

#include <cstdio>
#include <memory>

namespace kestrin {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

bool FileLineSource::open(const std::string& fileName)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        return false;
    std::string text;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, got);
    // A folder opens on Linux and fails only on the first read.
    if (std::ferror(file.get()))
        return false;
    setText(std::move(text));
    return true;
}

} // namespace kestrin
