#include "session/session_fixture.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrin::test {
namespace {

// One QCoreApplication for every test: the session's timer and the worker's
// handoffs run on its event loop.
class CoreApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance() == nullptr)
            application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "test_session";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

[[maybe_unused]] const ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

} // namespace

SessionFixture::SessionFixture()
{
    std::filesystem::create_directories(folder.path() + "/config");
    std::filesystem::create_directories(folder.path() + "/archive");
}

SessionFixture::~SessionFixture()
{
    session.reset();
}

session::ProgramSession& SessionFixture::makeSession(bool firstCycleAtStart)
{
    session.reset();
    emitted.clear();
    session::SessionServices services;
    services.internet = [] { return std::make_shared<AlwaysConnected>(); };
    services.lockFolder = lockFolder.path();
    services.firstCycleAtStart = firstCycleAtStart;
    session = std::make_unique<session::ProgramSession>(folder.path(), std::move(services));
    using S = session::ProgramSession;
    const auto record = [this](const char* name) { return [this, name] { emitted.emplace_back(name); }; };
    QObject::connect(session.get(), &S::settingsLoaded, record("settingsLoaded"));
    QObject::connect(session.get(), &S::settingsApplied, record("settingsApplied"));
    QObject::connect(session.get(), &S::startUpApplied, record("startUpApplied"));
    QObject::connect(session.get(), &S::addressBookImportRequested, record("addressBookImportRequested"));
    QObject::connect(session.get(), &S::reportChanged, record("reportChanged"));
    QObject::connect(session.get(), &S::countersChanged, record("countersChanged"));
    QObject::connect(session.get(), &S::recordsChanged, record("recordsChanged"));
    QObject::connect(session.get(), &S::cycleStarted, record("cycleStarted"));
    QObject::connect(session.get(), &S::cycleEnded, record("cycleEnded"));
    return *session;
}

void SessionFixture::writeFile(const std::string& relative, const std::string& bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(file(relative)).parent_path());
    std::ofstream(file(relative), std::ios::binary) << bytes;
}

std::string SessionFixture::readFile(const std::string& relative) const
{
    std::ifstream in(file(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void SessionFixture::writeOptions(const std::vector<std::string>& lines) const
{
    std::string text = "[Options]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    writeFile("config/options.ini", text);
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

} // namespace kestrin::test
