#pragma once
// Where the program keeps its files, and the shipped data it starts with.
#include <optional>
#include <string>

namespace kestrin {

// The folder of the running executable ("" when it cannot be told).
std::string executableFolder();

// The program folder: home when given (--home DIR); otherwise the executable's
// folder when it already holds config/ or is writable (portable use);
// otherwise $XDG_DATA_HOME/kestrin (default ~/.local/share/kestrin).
std::string chooseProgramFolder(const std::optional<std::string>& home);

// What makes a --home value unusable. An empty one would put the program's
// files at the root ("" + "/config/...") or in the current folder; a file
// cannot hold config/. A missing folder is fine: it is created (0700).
enum class HomeProblem { None, Empty, NotAFolder };
HomeProblem homeFolderProblem(const std::string& home);

// Where the installation keeps data/ and skins/: <executable folder>/../share/kestrin.
std::string shippedDataFolder();

// Copies shipped data/ and skins/ files that the program folder does not have
// yet (a file the user already has is never replaced) and creates config/ and
// archive/; every folder it creates (the program folder too) gets mode 0700.
// Returns the number of files copied; throws EFileError when a folder cannot
// be created and std::filesystem::filesystem_error when a copy fails.
int installShippedData(const std::string& programFolder, const std::string& shippedFolder);

} // namespace kestrin
