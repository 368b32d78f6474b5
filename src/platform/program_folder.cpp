#include "platform/program_folder.h"

#include "storage/atomic_file.h"

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
    ensureFolder(to.string());
    int copied = 0;
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            ensureFolder(target.string());
        } else if (entry.is_regular_file() && !fs::exists(fs::symlink_status(target))) {
            // copy_file creates with O_EXCL: a link put under the name since the look is not followed.
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

HomeProblem homeFolderProblem(const std::string& home)
{
    if (home.empty())
        return HomeProblem::Empty;
    // Only something that is there and is no folder is refused here; a folder
    // that cannot be reached fails later, with its own reason.
    std::error_code error;
    const fs::file_type type = fs::status(home, error).type();
    if (type == fs::file_type::none || type == fs::file_type::not_found || type == fs::file_type::directory)
        return HomeProblem::None;
    return HomeProblem::NotAFolder;
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
    ensureFolder((folder / "config").string());
    ensureFolder((folder / "archive").string());
    if (shippedFolder.empty())
        return 0;
    return copyMissingFiles(fs::path(shippedFolder) / "data", folder / "data") +
           copyMissingFiles(fs::path(shippedFolder) / "skins", folder / "skins");
}

} // namespace kestrin
