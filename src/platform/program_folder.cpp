#include "platform/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

fs::path userDataFolder()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "kestrin";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "kestrin";
}

int copyMissingFiles(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    if (!fs::is_directory(from, error))
        return 0;
    fs::create_directories(to);
    int copied = 0;
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target);
        } else if (entry.is_regular_file() && !fs::exists(target)) {
            fs::copy_file(entry.path(), target);
            ++copied;
        }
    }
    return copied;
}

} // namespace

std::string executableFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

std::string chooseProgramFolder(const std::optional<std::string>& home)
{
    if (home)
        return *home;
    const fs::path exeFolder = executableFolder();
    std::error_code error;
    if (!exeFolder.empty() && (fs::is_directory(exeFolder / "config", error) || ::access(exeFolder.c_str(), W_OK) == 0))
        return exeFolder.string();
    return userDataFolder().string();
}

std::string shippedDataFolder()
{
    const std::string exeFolder = executableFolder();
    if (exeFolder.empty())
        return {};
    return (fs::path(exeFolder).parent_path() / "share" / "kestrin").string();
}

int installShippedData(const std::string& programFolder, const std::string& shippedFolder)
{
    const fs::path folder(programFolder);
    fs::create_directories(folder / "config");
    fs::create_directories(folder / "archive");
    if (shippedFolder.empty())
        return 0;
    return copyMissingFiles(fs::path(shippedFolder) / "data", folder / "data") +
           copyMissingFiles(fs::path(shippedFolder) / "skins", folder / "skins");
}

} // namespace kestrin
