#include "peers/child_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kestrin::test {
namespace {

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(char* const* argv, const char* logFile, int reportFd)
{
    const int input = ::open("/dev/null", O_RDONLY);
    const int output = ::open(logFile, O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (input >= 0)
        ::dup2(input, STDIN_FILENO);
    if (output >= 0) {
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
    }
    ::execv(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logFile)
{
    if (argv.empty())
        throw std::runtime_error("child process: no program given");
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    const std::string log = logFile.empty() ? "/dev/null" : logFile;
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        throw std::runtime_error("child process: pipe failed");
    pid_ = ::fork();
    if (pid_ == 0)
        execChild(arguments.data(), log.c_str(), report[1]);
    ::close(report[1]);
    int error = 0;
    // The pipe closes on a successful exec; the child writes errno when exec fails.
    const ssize_t got = pid_ > 0 ? ::read(report[0], &error, sizeof error) : -1;
    ::close(report[0]);
    if (pid_ < 0)
        throw std::runtime_error("child process: fork failed");
    if (got > 0) {
        reap(true);
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
    }
}

ChildProcess::~ChildProcess()
{
    stop();
}

bool ChildProcess::reap(bool wait)
{
    if (pid_ <= 0)
        return true;
    int status = 0;
    const pid_t result = ::waitpid(pid_, &status, wait ? 0 : WNOHANG);
    if (result == pid_ || (result < 0 && errno == ECHILD)) {
        pid_ = -1;
        return true;
    }
    return false;
}

bool ChildProcess::running()
{
    return !reap(false);
}

void ChildProcess::stop(int graceMs)
{
    if (reap(false))
        return;
    ::kill(pid_, SIGTERM);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMs);
    while (std::chrono::steady_clock::now() < end) {
        if (reap(false))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid_, SIGKILL);
    reap(true);
}

} // namespace kestrin::test
