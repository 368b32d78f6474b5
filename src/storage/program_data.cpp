#include "storage/program_data.h"

#include "storage/atomic_file.h"
#include "storage/config_messages.h"
#include "storage/record_database.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "text/convert_error.h"

#include <functional>

namespace kestrin {
namespace {

size_t fileIndex(StoredFile file)
{
    return static_cast<size_t>(file);
}

void loadSettingsInto(const std::string& folder, ProgramData& data, TDateTime now)
{
    data.settingsFile = loadIniFile(settingsFilePath(folder));
    data.settings = loadSettings(data.settingsFile, folder, now);
    data.counters.totals = data.settings.stats;
}

// One step of the load-all sequence, in order, with the file it reads.
struct LoadStep {
    StoredFile file;
    std::function<void(const std::string& folder, ProgramData& data, TDateTime now)> load;
};

const std::vector<LoadStep>& loadSteps()
{
    static const std::vector<LoadStep> steps = {
        {StoredFile::Settings, loadSettingsInto},
        {StoredFile::Accounts, [](const std::string& f, ProgramData& d, TDateTime) { d.accounts = loadAccounts(f); }},
        {StoredFile::Rules, [](const std::string& f, ProgramData& d, TDateTime) { d.rules = loadRules(f); }},
        {StoredFile::Friends, [](const std::string& f, ProgramData& d, TDateTime) { d.friends = loadFriends(f); }},
        {StoredFile::BayesWords,
         [](const std::string& f, ProgramData& d, TDateTime) { d.bayesWords = loadBayesWords(f); }},
        {StoredFile::Report,
         [](const std::string& f, ProgramData& d, TDateTime now) { loadReport(d.report, reportFilePath(f), now); }},
    };
    return steps;
}

void markIncompleteFrom(ProgramData& data, size_t first)
{
    for (size_t i = first; i < kStoredFileCount; ++i)
        data.loadIncomplete[i] = true;
}

void saveSettingsFrom(const std::string& folder, const ProgramData& data)
{
    Settings settings = data.settings;
    settings.stats = data.counters.totals;
    IniFile file = data.settingsFile;
    storeSettings(settings, file);
    saveIniFile(settingsFilePath(folder), file);
}

struct SaveStep {
    StoredFile file;
    std::function<void(const std::string& folder, const ProgramData& data)> save;
};

const std::vector<SaveStep>& saveSteps()
{
    static const std::vector<SaveStep> steps = {
        {StoredFile::Settings, saveSettingsFrom},
        {StoredFile::Accounts, [](const std::string& f, const ProgramData& d) { saveAccounts(f, d.accounts); }},
        {StoredFile::Rules, [](const std::string& f, const ProgramData& d) { saveRules(f, d.rules); }},
        {StoredFile::Friends, [](const std::string& f, const ProgramData& d) { saveFriends(f, d.friends); }},
        {StoredFile::BayesWords, [](const std::string& f, const ProgramData& d) { saveBayesWords(f, d.bayesWords); }},
        {StoredFile::Report,
         [](const std::string& f, const ProgramData& d) { saveReportFile(reportFilePath(f), d.report); }},
    };
    return steps;
}

} // namespace

LoadResult loadAll(const std::string& programFolder, ProgramData& data, TDateTime now)
{
    LoadResult result;
    const auto& steps = loadSteps();
    for (size_t i = 0; i < steps.size(); ++i) {
        try {
            steps[i].load(programFolder, data, now);
        } catch (const EConfigVersionError& e) {
            // Only that file is left uninterpreted; nothing at all is saved at exit.
            data.saveAllEnabled = false;
            data.loadIncomplete[fileIndex(steps[i].file)] = true;
            if (result.failure == LoadFailure::None)
                result = {LoadFailure::VersionRefused, e.what(), e.what()};
        } catch (const std::exception& e) { // EFileError, EConvertError: the sequence ends here
            markIncompleteFrom(data, i);
            if (result.failure == LoadFailure::None)
                result = {LoadFailure::OpenError, configOpenErrorText(), e.what()};
            return result;
        }
    }
    return result;
}

// The paths below an empty program folder, without their leading "/".
std::string storedFileName(StoredFile file)
{
    switch (file) {
    case StoredFile::Settings:
        return settingsFilePath({}).substr(1);
    case StoredFile::Accounts:
        return recordFilePath({}, RecordKind::Accounts).substr(1);
    case StoredFile::Rules:
        return recordFilePath({}, RecordKind::Rules).substr(1);
    case StoredFile::Friends:
        return recordFilePath({}, RecordKind::Friends).substr(1);
    case StoredFile::BayesWords:
        return recordFilePath({}, RecordKind::BayesWords).substr(1);
    case StoredFile::Report:
        break;
    }
    return reportFilePath({}).substr(1);
}

std::vector<std::string> unreadStoredFiles(const ProgramData& data)
{
    std::vector<std::string> files;
    for (size_t i = 0; i < kStoredFileCount; ++i) {
        if (data.loadIncomplete[i])
            files.push_back(storedFileName(static_cast<StoredFile>(i)));
    }
    return files;
}

SaveResult saveAll(const std::string& programFolder, const ProgramData& data)
{
    SaveResult result;
    if (!data.saveAllEnabled)
        return result;
    for (const SaveStep& step : saveSteps()) {
        if (data.loadIncomplete[fileIndex(step.file)])
            continue;
        try {
            step.save(programFolder, data);
        } catch (const std::exception& e) {
            if (result.ok)
                result = {false, configSaveErrorText(), e.what()};
        }
    }
    return result;
}

void saveRecordFile(const std::string& programFolder, const ProgramData& data, RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return saveAccounts(programFolder, data.accounts);
    case RecordKind::Rules:
        return saveRules(programFolder, data.rules);
    case RecordKind::Friends:
        return saveFriends(programFolder, data.friends);
    case RecordKind::BayesWords:
        return saveBayesWords(programFolder, data.bayesWords);
    }
}

} // namespace kestrin
