#include "main_test_support.h"

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
    ui::MainServices services{prompter, shell, [this] { ++quitRequests; }, [this] { return trayAvailable; }, {}};
    form = std::make_unique<ui::Tmain>(programFolder, std::move(arguments), std::move(services));
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

QString statusPanel(ui::Tmain& form, int panel)
{
    const auto* label = form.findChild<QLabel*>(QStringLiteral("status_panel%1").arg(panel));
    return label == nullptr ? QString() : label->text();
}

} // namespace kestrin::test
