#include "peers/dovecot_peer.h"

#include "peers/loopback_port.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

// dovecot refuses uid 0 for mail access: the mail belongs to nobody.
constexpr uid_t kMailUid = 65534;
constexpr gid_t kMailGid = 65534;
constexpr int kStartTimeoutMs = 10000;

// Plain POP3 with STLS on one port, POP3S on another, both on loopback only.
// The log-in failure delay is off so that refused log-ins do not slow the tests.
constexpr const char* kConfiguration = R"(protocols = pop3
listen = 127.0.0.1
base_dir = @DIR@/run
state_dir = @DIR@/state
log_path = @DIR@/dovecot.log
ssl = yes
ssl_cert = <@DIR@/cert.pem
ssl_key = <@DIR@/key.pem
disable_plaintext_auth = no
auth_mechanisms = plain login
auth_failure_delay = 0
mail_location = maildir:@DIR@/mail/%u/Maildir
pop3_uidl_format = %g
first_valid_uid = 1
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u @DIR@/users
}
userdb {
  driver = static
  args = uid=65534 gid=65534 home=@DIR@/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = @PORT@
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = @PORTS@
    ssl = yes
  }
  chroot =
}
service imap-login {
  inet_listener imap {
    port = 0
  }
  inet_listener imaps {
    port = 0
  }
}
service anvil {
  chroot =
}
)";

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

void giveToMailUser(const fs::path& path)
{
    if (::chown(path.c_str(), kMailUid, kMailGid) != 0)
        throw std::runtime_error("cannot chown " + path.string());
}

} // namespace

bool DovecotPeer::installed()
{
    return ::access(kProgram, X_OK) == 0;
}

DovecotPeer::DovecotPeer(const std::vector<std::pair<std::string, std::string>>& users)
    : certificates_(makeTestCertificates(folder_.path()))
{
    ::chmod(folder().c_str(), 0755); // the login processes run as another user
    std::string usersFile;
    for (const auto& [name, password] : users) {
        usersFile += name + ":{PLAIN}" + password + "\n";
        const fs::path box = maildir(name);
        for (const char* sub : {"cur", "new", "tmp"})
            fs::create_directories(box / sub);
        for (fs::path p = box; p != fs::path(folder()); p = p.parent_path())
            giveToMailUser(p);
        for (const char* sub : {"cur", "new", "tmp"})
            giveToMailUser(box / sub);
    }
    writeFile(fs::path(folder()) / "users", usersFile);
    writeConfiguration();
    start();
}

DovecotPeer::~DovecotPeer()
{
    if (process_)
        process_->stop();
}

void DovecotPeer::writeConfiguration()
{
    pop3Port_ = freeLoopbackPort();
    do
        pop3sPort_ = freeLoopbackPort();
    while (pop3sPort_ == pop3Port_);
    std::string text = kConfiguration;
    replaceAll(text, "@DIR@", folder());
    replaceAll(text, "@PORTS@", std::to_string(pop3sPort_));
    replaceAll(text, "@PORT@", std::to_string(pop3Port_));
    fs::create_directories(fs::path(folder()) / "run");
    fs::create_directories(fs::path(folder()) / "state");
    writeFile(fs::path(folder()) / "dovecot.conf", text);
}

void DovecotPeer::start()
{
    const std::string configuration = folder() + "/dovecot.conf";
    process_ = std::make_unique<ChildProcess>(std::vector<std::string>{kProgram, "-F", "-c", configuration},
                                              folder() + "/dovecot.out");
    if (!waitForPort(pop3Port_, kStartTimeoutMs) || !waitForPort(pop3sPort_, kStartTimeoutMs))
        throw std::runtime_error("dovecot did not start listening:\n" + log());
}

std::string DovecotPeer::maildir(const std::string& user) const
{
    return folder() + "/mail/" + user + "/Maildir";
}

void DovecotPeer::deliver(const std::string& user, const std::string& bytes)
{
    ++delivered_;
    // Maildir names: time-like prefix (zero-padded so names sort in delivery order), unique part, info.
    char name[64];
    std::snprintf(name, sizeof name, "%010d.M%dP1.kestrin:2,", 1000000000 + delivered_, delivered_);
    const fs::path file = fs::path(maildir(user)) / "cur" / name;
    writeFile(file, bytes);
    giveToMailUser(file);
}

std::vector<std::string> DovecotPeer::messageFiles(const std::string& user) const
{
    std::vector<std::string> files;
    for (const char* sub : {"cur", "new"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(maildir(user)) / sub))
            files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> DovecotPeer::messageNames(const std::string& user) const
{
    std::vector<std::string> names;
    for (const std::string& file : messageFiles(user))
        names.push_back(file.substr(0, file.find(':')));
    return names;
}

std::string DovecotPeer::log() const
{
    std::string text;
    for (const char* name : {"/dovecot.log", "/dovecot.out"}) {
        std::ifstream in(folder() + name, std::ios::binary);
        text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return text;
}

} // namespace kestrin::test
