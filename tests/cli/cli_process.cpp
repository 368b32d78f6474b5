#include "cli_process.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kestrin::test {
namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void redirect(const std::string& path, int target)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) {
        ::dup2(fd, target);
        ::close(fd);
    }
}

} // namespace

CliProcess::CliProcess(const std::vector<std::string>& args, const std::string& folder)
    : outPath_(folder + "/cli-out.txt"), errPath_(folder + "/cli-err.txt")
{
    std::vector<std::string> argv{KESTRIN_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    // Emptied before the start, so an earlier run's output is never taken for this one's.
    std::ofstream(outPath_, std::ios::trunc);
    std::ofstream(errPath_, std::ios::trunc);
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        redirect(outPath_, STDOUT_FILENO);
        redirect(errPath_, STDERR_FILENO);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
}

CliProcess::~CliProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::string CliProcess::out() const
{
    return slurp(outPath_);
}

std::string CliProcess::err() const
{
    return slurp(errPath_);
}

bool CliProcess::waitForErr(const std::string& text, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (err().find(text) != std::string::npos)
            return true;
        if (exited())
            return err().find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

bool CliProcess::exited()
{
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return pid_ < 0;
}

void CliProcess::signal(int number)
{
    if (pid_ > 0)
        ::kill(pid_, number);
}

int CliProcess::waitForExit(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!exited() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return exited() ? exitStatus_ : -1;
}

} // namespace kestrin::test
