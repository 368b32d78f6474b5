#include "main_test_support.h"

#include "platform/system_internet_check.h"
#include "support/private_runtime_folder.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QThread>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

std::atomic<int> folderNumber{0};

} // namespace

void writeIcon(const std::string& path)
{
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(QColor(40, 90, 160));
    picture.save(QString::fromStdString(path), "ICO");
}

ProgramFolder::ProgramFolder()
{
    const fs::path folder = fs::temp_directory_path() / ("kestrin-ui-" + std::to_string(::getpid()) + "-" +
                                                         std::to_string(folderNumber.fetch_add(1)));
    fs::remove_all(folder);
    fs::create_directories(folder / "config");
    fs::create_directories(folder / "archive");
    fs::create_directories(folder / "data");
    path_ = folder.string();
    for (int i = 0; i <= 14; ++i)
        writeIcon(file("data/tray" + std::to_string(i) + ".ico"));
    for (int i = 0; i <= 7; ++i)
        writeIcon(file("data/scan" + std::to_string(i) + ".ico"));
    writeIcon(file("data/scan.ico"));
    writeIcon(file("data/update.ico"));
}

ProgramFolder::~ProgramFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
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

void runEventsFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

MainWindowHarness::MainWindowHarness(const std::string& programFolder, QStringList arguments)
{
    session::SessionServices sessionServices;
    session = std::make_unique<session::ProgramSession>(programFolder, std::move(sessionServices));
    ui::MainServices services{prompter, shell, [this] { ++quitRequests; }, [this] { return trayAvailable; }};
    form = std::make_unique<ui::Tmain>(*session, std::move(arguments), std::move(services));
}

MainWindowHarness::~MainWindowHarness()
{
    form.reset();
}

ProgramHarness::ProgramHarness(const std::string& programFolder, QStringList arguments)
    : autostart(std::make_unique<XdgAutostart>(QString::fromStdString(programFolder + "/xdg-config")))
{
    ui::CommandLine commandLine;
    commandLine.otherParameters = std::move(arguments);
    program = std::make_unique<ui::TrayProgram>(
        programFolder, commandLine,
        ui::TrayProgramServices{
            prompter, shell, files, *autostart, [this] { ++quitRequests; }, [this] { return trayAvailable; }, {}},
        QStringLiteral("/usr/bin/kestrin"));
}

std::vector<std::string> reportFields(const std::string& line)
{
    const std::string separator = "|\xA6|";
    std::vector<std::string> fields;
    const size_t bar = line.find('|');
    fields.push_back(line.substr(0, bar));
    if (bar == std::string::npos)
        return fields;
    std::string payload = line.substr(bar + 1);
    for (size_t at; (at = payload.find(separator)) != std::string::npos; payload.erase(0, at + separator.size()))
        fields.push_back(payload.substr(0, at));
    fields.push_back(payload);
    return fields;
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

std::vector<std::string> pop3Login()
{
    return {"S: +OK ready", "C: CAPA", "S: -ERR unknown", "C: USER alice", "S: +OK", "C: PASS secret", "S: +OK in"};
}

std::vector<std::string> pop3Retrieve(int number, const std::string& message)
{
    std::vector<std::string> rows{"C: RETR " + std::to_string(number), "S: +OK"};
    size_t start = 0;
    while (start < message.size()) {
        size_t end = message.find("\r\n", start);
        if (end == std::string::npos)
            end = message.size();
        const std::string line = message.substr(start, end - start);
        rows.push_back("S: " + (line.rfind('.', 0) == 0 ? "." + line : line));
        start = end + 2;
    }
    rows.push_back("S: .");
    return rows;
}

std::string mailMessage(const std::string& from, const std::string& subject, const std::string& messageId)
{
    return "From: " + from + "\r\nTo: alice@example.org\r\nSubject: " + subject +
           "\r\nDate: Mon, 13 Jan 2025 09:00:00 +0100\r\nMessage-ID: <" + messageId +
           ">\r\n\r\nDzien dobry, to jest tresc wiadomosci.\r\n";
}

AccountRecord loopbackAccount(uint16_t port)
{
    AccountRecord account;
    account.name = "Skrzynka";
    account.pop3 = "127.0.0.1";
    account.dopo = std::to_string(port);
    account.user = "alice";
    account.pass = "secret";
    return account;
}

bool networkPresent()
{
    return SystemInternetCheck().connected();
}

QString statusPanel(ui::Tmain& form, int panel)
{
    const auto* label = form.findChild<QLabel*>(QStringLiteral("status_panel%1").arg(panel));
    return label == nullptr ? QString() : label->text();
}

} // namespace kestrin::test
