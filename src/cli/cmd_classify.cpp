// A dry run of the check cycle's judgement on one message file: friends, the
// Bayes filter and every rule with the program folder's configuration. Reads
// the folder, contacts no server and writes no file, so a user can try a new
// rule before it deletes anything.
#include "cli/classification_json.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/load_message.h"
#include "cli/program_folder.h"
#include "storage/program_data.h"
#include "text/cp1250.h"

#include <filesystem>
#include <iostream>
#include <optional>

namespace kestrin::cli {
namespace {

// The size a POP3 server would report for the message stored in the file.
long long fileSize(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<long long>(size);
}

bool loadProgramData(const std::string& folder, ProgramData& data)
{
    const LoadResult loaded = loadAll(folder, data, localNow());
    if (loaded.failure == LoadFailure::None)
        return true;
    std::cerr << cp1250ToUtf8(loaded.message);
    if (loaded.detail != loaded.message)
        std::cerr << " (" << cp1250ToUtf8(loaded.detail) << ")";
    std::cerr << '\n';
    return false;
}

bool smtpReady(const CycleSettings& settings)
{
    return !settings.smtpHost.empty() && !settings.smtpPort.empty() && !settings.smtpMail.empty();
}

} // namespace

int runClassify(const CliArgs& args)
{
    if (args.positional().size() != 1)
        throw UsageError("expects exactly one FILE");
    const std::string& file = args.positional().front();
    const long long size = args.number("--size", fileSize(file));
    const bool wholeMessage = !args.has("--header-only");

    ProgramData data;
    if (!loadProgramData(programFolder(args), data))
        return kExitInputError;
    TIdMessage message;
    if (!loadMessageOrReport(file, message))
        return kExitInputError;

    const auto snapshot = takeCycleSnapshot(data);
    const BayesClassifier bayes(snapshot->bayesWords, snapshot->bayesMarked);
    const bool bayesOn = snapshot->settings.bayesActive && !snapshot->bayesWords.empty();
    const MessageClassification classification =
        classifyMessage(*snapshot, bayesOn ? &bayes : nullptr, message, size, wholeMessage);
    const BayesVerdict judged =
        classification.bayes ? *classification.bayes
                             : bayes.judge(bayesMessageText(message, wholeMessage), snapshot->settings.bayesSafeMode);
    const ActionMarkers planned =
        plannedActions(classification, wholeMessage, smtpReady(snapshot->settings), mayAnswerAutomatically(message));
    std::cout << classificationJson({*snapshot, classification, judged, planned}).dump(2) << '\n';
    return 0;
}

} // namespace kestrin::cli
