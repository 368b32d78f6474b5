#pragma once
// The program's own temporary files: ".kestrin-" and six mkstemp characters,
// created beside the file they become, mode 0600 whatever the umask. A
// process killed while it writes leaves one behind; the name tells it apart
// from every file the user keeps.
#include <string>
#include <string_view>

namespace kestrin {

inline constexpr std::string_view kTemporaryFilePrefix = ".kestrin-";

// True for a name made from our pattern: the prefix and exactly six letters or digits.
bool isTemporaryFileName(std::string_view name);

// Closes the descriptor and removes the file unless keep() was called.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates a fresh file (O_EXCL: nothing already there is ever opened); false with errno set.
    bool tryCreate();
    // The same, throwing EFileError that names target.
    void create(const std::string& target);
    // Throw EFileError naming target.
    void write(std::string_view data, const std::string& target);
    void syncAndClose(const std::string& target);
    // The file now lives under another name (renamed); the destructor leaves it.
    void keep() { kept_ = true; }

    int descriptor() const { return fd_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
    bool kept_ = false;
};

} // namespace kestrin
