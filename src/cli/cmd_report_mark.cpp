// `kestrin-cli report mark N --good|--spam`: the report's Bayes mark on one
// line of the stored report, with the window's refusal, the training, the
// line's mark and the counters, all written before the command succeeds.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/record_folder.h"
#include "engine/bayes_mark.h"
#include "storage/atomic_file.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/convert_error.h"
#include "text/date_time.h"
#include "text/strict_integer.h"

#include <iostream>

namespace kestrin::cli {
namespace {

BayesList chosenList(const CliArgs& args)
{
    if (args.has("--good") == args.has("--spam"))
        throw UsageError("report mark needs exactly one of --good and --spam");
    return args.has("--good") ? BayesList::Good : BayesList::Spam;
}

// The report as `kestrin-cli report` prints it: the file's lines, without the
// start line a running program puts on top.
std::optional<std::vector<std::string>> storedReport(const std::string& path)
{
    try {
        return loadReportFile(path);
    } catch (const EFileError& e) {
        std::cerr << e.what() << '\n';
        return std::nullopt;
    }
}

int saveMarked(RecordFolder& folder, const std::string& reportPath, const std::vector<std::string>& lines)
{
    if (const int status = folder.save(RecordKind::BayesWords))
        return status;
    try {
        Settings settings = folder.data().settings;
        settings.stats = folder.data().counters.totals;
        saveSettingsFile(folder.path(), settings);
        saveReportFile(reportPath, lines);
    } catch (const std::exception& e) {
        std::cerr << "kestrin-cli: " << e.what() << '\n';
        return kExitInputError;
    }
    return 0;
}

} // namespace

int runReportMark(const CliArgs& args)
{
    const std::vector<std::string>& words = args.positional();
    if (words.size() != 2)
        throw UsageError("report mark takes one line number N");
    const BayesList list = chosenList(args);
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    const std::string reportPath = reportFilePath(folder.path());
    std::optional<std::vector<std::string>> lines = storedReport(reportPath);
    if (!lines)
        return kExitInputError;
    size_t line = 0;
    try {
        line = static_cast<size_t>(strictIntegerInRange(words[1], 0, static_cast<int64_t>(lines->size()) - 1));
    } catch (const EConvertError&) {
        std::cerr << "kestrin-cli: no report line " << words[1] << '\n';
        return kExitInputError;
    }
    ProgramData& data = folder.data();
    BayesMarkResult result{};
    try {
        result = markBayesEntry((*lines)[line], list, data.bayesWords, data.counters.totals, localNow());
    } catch (const EConvertError& e) {
        std::cerr << "kestrin-cli: the word file cannot be trained: " << e.what() << '\n';
        return kExitInputError;
    }
    switch (result) {
    case BayesMarkResult::AlreadyMarked:
        std::cerr << kBayesMarkRefusal << '\n';
        return kExitRefused;
    case BayesMarkResult::NotMailEntry:
        std::cerr << "kestrin-cli: report line " << line << " is not a checked message\n";
        return kExitRefused;
    case BayesMarkResult::Marked:
        break;
    }
    return saveMarked(folder, reportPath, *lines);
}

} // namespace kestrin::cli
