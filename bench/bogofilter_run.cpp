#include "bogofilter_run.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrin::bench {
namespace {

// Keeps every command line well below the kernel's argument limit.
constexpr size_t kFilesPerCall = 400;

// Runs argv without a shell and returns its standard output.
std::string capture(const std::vector<std::string>& argv)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[65536];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    // bogofilter exits 0 spam, 1 ham, 2 unsure, 3 error.
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 2)
        throw std::runtime_error("bogofilter failed");
    return output;
}

} // namespace

BogofilterRun::BogofilterRun()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-bogofilter-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
}

BogofilterRun::~BogofilterRun()
{
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

bool BogofilterRun::available()
{
    return std::system("bogofilter -V >/dev/null 2>&1") == 0;
}

std::string BogofilterRun::run(const std::vector<std::string>& arguments, const std::vector<std::string>& files)
{
    std::string output;
    for (size_t from = 0; from < files.size(); from += kFilesPerCall) {
        std::vector<std::string> argv = {"bogofilter", "-C", "-d", dir_};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        argv.push_back("-B");
        const size_t to = std::min(files.size(), from + kFilesPerCall);
        argv.insert(argv.end(), files.begin() + static_cast<std::ptrdiff_t>(from),
                    files.begin() + static_cast<std::ptrdiff_t>(to));
        output += capture(argv);
    }
    return output;
}

void BogofilterRun::train(const std::vector<std::string>& files, bool spam)
{
    run({spam ? "-s" : "-n"}, files);
}

std::map<std::string, char> BogofilterRun::classify(const std::vector<std::string>& files)
{
    std::map<std::string, char> verdicts;
    std::istringstream lines(run({"-T"}, files));
    std::string file;
    std::string verdict;
    std::string score;
    while (lines >> file >> verdict >> score)
        verdicts[file] = verdict.empty() ? '?' : verdict[0];
    return verdicts;
}

} // namespace kestrin::bench
