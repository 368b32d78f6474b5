#pragma once
// Everything the program keeps between runs, and the two sequences that move it
// between memory and the program folder: load-all at start, save-all at exit.
// The window and kestrin-cli share them.
#include "storage/counters.h"
#include "storage/ini_file.h"
#include "storage/record_tables.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "text/date_time.h"

#include <array>
#include <string>
#include <vector>

namespace kestrin {

// The stored files, in the order of both sequences.
enum class StoredFile { Settings, Accounts, Rules, Friends, BayesWords, Report };
inline constexpr size_t kStoredFileCount = 6;

struct ProgramData {
    std::vector<AccountRecord> accounts;
    std::vector<RuleRecord> rules;
    std::vector<FriendRecord> friends;
    std::vector<BayesWordRecord> bayesWords;
    IniFile settingsFile; // the settings file as read, so keys the program does not know survive a save
    Settings settings;    // settings.stats mirrors the file only; the live totals are counters.totals
    std::vector<std::string> report;
    Counters counters;
    // A file refused for its version switches the whole save-all sequence off.
    bool saveAllEnabled = true;
    // Files whose load did not complete; save-all leaves them alone so that the
    // part the program could not read is not overwritten by what it did read.
    std::array<bool, kStoredFileCount> loadIncomplete{};
};

enum class LoadFailure { None, VersionRefused, OpenError };

struct LoadResult {
    LoadFailure failure = LoadFailure::None;
    std::string message; // the text to show (Windows-1250)
    std::string detail;  // what went wrong, for logs and the terminal
};

// Settings file, accounts, rules, friends, Bayes words, report log (with the
// "run" entry on top). A refused file stops that file; a read or conversion
// error ends the sequence; either way what was loaded before stays.
LoadResult loadAll(const std::string& programFolder, ProgramData& data, TDateTime now);

// The file's path below the program folder, e.g. "config/fri_database2.dat".
std::string storedFileName(StoredFile file);
// The files save-all leaves alone because their load did not complete.
std::vector<std::string> unreadStoredFiles(const ProgramData& data);

struct SaveResult {
    bool ok = true;
    std::string message; // configSaveErrorText() when a file could not be written
    std::string detail;
};

// Settings file, accounts, rules, friends, Bayes words, report log. Does nothing
// when saving is switched off; a file that fails does not stop the others.
SaveResult saveAll(const std::string& programFolder, const ProgramData& data);
// Writes the database file of one record kind; throws as the single writers do.
void saveRecordFile(const std::string& programFolder, const ProgramData& data, RecordKind kind);

} // namespace kestrin
