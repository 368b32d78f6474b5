#pragma once
// What the session's tests share: one QCoreApplication, a program folder, a
// session on it whose network check always answers "connected", a record of
// the emitted it sent, and waiting on the event loop.
#include "engine/internet_check.h"
#include "peers/test_certificates.h"
#include "session/program_session.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrin::test {

class AlwaysConnected : public InternetCheck {
public:
    bool connected() override { return true; }
};

class SessionFixture {
public:
    SessionFixture();
    ~SessionFixture();

    // A new session on the folder (the previous one goes first); its emitted are recorded.
    session::ProgramSession& makeSession(bool firstCycleAtStart = true);
    std::string file(const std::string& relative) const { return folder.path() + "/" + relative; }
    void writeFile(const std::string& relative, const std::string& bytes) const;
    std::string readFile(const std::string& relative) const;
    // config/options.ini with these lines in section "Options".
    void writeOptions(const std::vector<std::string>& lines) const;

    TemporaryFolder folder;
    TemporaryFolder lockFolder;
    std::unique_ptr<session::ProgramSession> session;
    std::vector<std::string> emitted; // each signal's name, in order
};

// Runs the event loop until condition holds; false after timeoutMs.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

} // namespace kestrin::test
