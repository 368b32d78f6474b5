#pragma once
// Helpers shared by the message writer tests.
#include "mail/message.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace kestrin::test {

// A file name in the temporary folder, removed when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& stem)
        : path_(std::filesystem::temp_directory_path() /
                (stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++) + ".txt"))
    {
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string name() const { return path_.string(); }

private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }
    std::filesystem::path path_;
};

// Save to file, then a fresh message loaded from it.
inline TIdMessage savedAndLoaded(const TIdMessage& message)
{
    TempFile file("kestrin-writer");
    message.saveToFile(file.name());
    TIdMessage loaded;
    loaded.loadFromFile(file.name());
    return loaded;
}

inline std::string fileText(const std::string& name)
{
    std::string text;
    if (std::FILE* f = std::fopen(name.c_str(), "rb")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, got);
        std::fclose(f);
    }
    return text;
}

} // namespace kestrin::test
