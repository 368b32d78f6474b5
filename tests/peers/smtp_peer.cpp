#include "peers/smtp_peer.h"

#include "peers/loopback_port.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

constexpr int kStartTimeoutMs = 15000;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string scriptPath()
{
    // The script lies beside this file; CMake compiles it by its absolute path.
    return (fs::path(__FILE__).parent_path() / "smtp_peer.py").string();
}

std::vector<std::string> peerArguments(const SmtpPeerOptions& options, uint16_t port, const std::string& store)
{
    std::vector<std::string> argv{"/usr/bin/python3", scriptPath(), "--port", std::to_string(port), "--store", store};
    if (!options.user.empty())
        argv.insert(argv.end(), {"--user", options.user, "--password", options.password});
    if (options.security != SmtpPeerOptions::Security::None) {
        if (!options.certificates)
            throw std::runtime_error("smtp peer: TLS needs certificates");
        const bool implicit = options.security == SmtpPeerOptions::Security::Tls;
        argv.insert(argv.end(), {"--security", implicit ? "tls" : "starttls", "--cert", options.certificates->certFile,
                                 "--key", options.certificates->keyFile});
    }
    if (options.pipelining)
        argv.push_back("--pipelining");
    return argv;
}

} // namespace

SmtpPeer::SmtpPeer(const SmtpPeerOptions& options)
{
    store_ = folder_.path() + "/store";
    fs::create_directory(store_);
    const std::string log = folder_.path() + "/peer.log";
    // A port taken by someone else between the probe and the bind: try another.
    for (int attempt = 0; attempt < 3; ++attempt) {
        port_ = freeLoopbackPort();
        process_ = std::make_unique<ChildProcess>(peerArguments(options, port_, store_), log);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
        while (std::chrono::steady_clock::now() < deadline && process_->running()) {
            if (readFile(log).find("ready\n") != std::string::npos)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        process_->stop();
    }
    throw std::runtime_error("smtp peer did not start:\n" + readFile(log));
}

SmtpPeer::~SmtpPeer()
{
    if (process_)
        process_->stop();
}

std::vector<StoredMessage> SmtpPeer::messages() const
{
    std::vector<fs::path> envelopes;
    for (const auto& entry : fs::directory_iterator(store_))
        if (entry.path().extension() == ".envelope")
            envelopes.push_back(entry.path());
    std::sort(envelopes.begin(), envelopes.end());
    std::vector<StoredMessage> messages;
    for (const auto& envelope : envelopes) {
        StoredMessage message;
        std::istringstream lines(readFile(envelope));
        std::getline(lines, message.mailFrom);
        for (std::string line; std::getline(lines, line);)
            message.rcptTos.push_back(line);
        message.data = readFile(fs::path(envelope).replace_extension(".data"));
        messages.push_back(std::move(message));
    }
    return messages;
}

} // namespace kestrin::test
