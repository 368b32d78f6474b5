#include "cli_run.h"
#include "support/private_runtime_folder.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

std::string quoted(const std::string& arg)
{
    std::string out = "'";
    for (char c : arg)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

CliResult runCli(const std::vector<std::string>& args)
{
    static int runs = 0;
    const std::string errPath = "/tmp/kestrin-cli-stderr-" + std::to_string(getpid()) + "-" + std::to_string(++runs);
    std::string command = quoted(KESTRIN_CLI_PATH);
    for (const auto& arg : args)
        command += " " + quoted(arg);
    command += " 2>" + quoted(errPath);
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = slurp(errPath);
    unlink(errPath.c_str());
    return result;
}

CliResult runCliWithInput(const std::vector<std::string>& args, const std::string& inputPath)
{
    const int saved = ::dup(0);
    const int fd = ::open(inputPath.c_str(), O_RDONLY);
    ::dup2(fd, 0);
    ::close(fd);
    CliResult result = runCli(args);
    ::dup2(saved, 0);
    ::close(saved);
    return result;
}

} // namespace kestrin::test
