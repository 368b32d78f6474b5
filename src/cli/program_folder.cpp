#include "cli/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kestrin::cli {
namespace {

namespace fs = std::filesystem;

fs::path executableFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : exe.parent_path();
}

fs::path userDataFolder()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "kestrin";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "kestrin";
}

} // namespace

std::string programFolder(const CliArgs& args)
{
    if (args.has("--home"))
        return args.value("--home");
    const fs::path exeFolder = executableFolder();
    std::error_code error;
    if (!exeFolder.empty() && (fs::is_directory(exeFolder / "config", error) || ::access(exeFolder.c_str(), W_OK) == 0))
        return exeFolder.string();
    return userDataFolder().string();
}

} // namespace kestrin::cli
