#pragma once
// A private temporary program folder per test, and the independent Python
// reader/writer of the record database format.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrin::test {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder =
            std::filesystem::temp_directory_path() / ("kestrin-records-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "config");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string home() const { return folder.string(); }
    std::string path(const std::string& relative) const { return (folder / relative).string(); }

    std::filesystem::path folder;
};

inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void putFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string recordDbToolPath()
{
    return std::string(KESTRIN_TEST_DATA) + "/../storage/record_db_tool.py";
}

struct ToolResult {
    int status = -1;
    std::string out;
};

// Runs /usr/bin/python3 record_db_tool.py with the given shell-safe arguments.
inline ToolResult runRecordDbTool(const std::string& arguments)
{
    const std::string command = "/usr/bin/python3 '" + recordDbToolPath() + "' " + arguments;
    ToolResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace kestrin::test
