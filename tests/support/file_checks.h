#pragma once
// File facts the safety tests look at: an entry's own mode and age (a link's,
// not its target's), and a umask for one scope.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

namespace kestrin::test {

inline mode_t fileMode(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// Sets the entry's modification time that long ago.
inline void setFileAge(const std::string& path, std::chrono::seconds age)
{
    const struct timespec when = {static_cast<time_t>(std::time(nullptr) - age.count()), 0};
    const struct timespec times[2] = {when, when};
    EXPECT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : saved_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(saved_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t saved_;
};

} // namespace kestrin::test
