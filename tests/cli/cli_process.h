#pragma once
// kestrin-cli started in the background, for commands that run until a signal
// (`watch`): its output and error streams go to files the test can poll.
#include <string>
#include <sys/types.h>
#include <vector>

namespace kestrin::test {

class CliProcess {
public:
    CliProcess(const std::vector<std::string>& args, const std::string& folder);
    ~CliProcess(); // kills the process when the test did not wait for it
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    std::string out() const;
    std::string err() const;
    // Polls the error stream until it holds text; false after timeoutMs or when the process ended.
    bool waitForErr(const std::string& text, int timeoutMs);
    void signal(int number);
    // The exit status, or -1 when it did not exit normally within timeoutMs.
    int waitForExit(int timeoutMs);

private:
    bool exited(); // reaps the process when it has ended

    std::string outPath_;
    std::string errPath_;
    pid_t pid_ = -1;
    int exitStatus_ = -1;
};

} // namespace kestrin::test
