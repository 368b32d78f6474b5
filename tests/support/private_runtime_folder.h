#pragma once
// A runtime folder ($XDG_RUNTIME_DIR) of the test process's own, which the
// kestrin-cli processes it starts inherit. The single-instance lock is one per
// user, so without it tests running side by side, and a Kestrin the developer
// runs, would refuse one another. Including this header registers it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kestrin::test {

class PrivateRuntimeFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-runtime-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            FAIL() << "no runtime folder for the test";
        folder_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::string folder_;
};

inline ::testing::Environment* const kPrivateRuntimeFolder =
    ::testing::AddGlobalTestEnvironment(new PrivateRuntimeFolder);

} // namespace kestrin::test
