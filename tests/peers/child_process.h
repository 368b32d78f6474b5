#pragma once
// A peer program (openssl s_server, dovecot, a Python script) started by a test
// and stopped by it: killed at the latest when the object goes away.
#include <string>
#include <sys/types.h>
#include <vector>

namespace kestrin::test {

class ChildProcess {
public:
    // Starts argv[0] (a path; not looked up in PATH) with argv. Standard input
    // reads /dev/null; standard output and error go to logFile when one is given,
    // else to /dev/null. Throws std::runtime_error when the program cannot start.
    explicit ChildProcess(const std::vector<std::string>& argv, const std::string& logFile = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // True while the program has not exited.
    bool running();
    // SIGTERM, then SIGKILL when it has not exited after graceMs; waits for it.
    void stop(int graceMs = 2000);

private:
    bool reap(bool wait);

    pid_t pid_ = -1;
};

} // namespace kestrin::test
