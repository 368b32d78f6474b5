#include "cli/record_folder.h"

#include "cli/commands.h"
#include "cli/start_refusals.h"
#include "storage/config_messages.h"
#include "storage/record_tables.h"
#include "text/convert_error.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"

namespace kestrin::cli {

RecordFolder::RecordFolder(std::string programFolder, std::ostream& err)
    : programFolder_(std::move(programFolder)), err_(err)
{
}

std::optional<int> RecordFolder::open()
{
    if (!lock_.tryLock()) {
        printSecondCopy(lock_, err_);
        return kExitInputError;
    }
    const LoadResult loaded = loadAll(programFolder_, data_, localNow());
    if (loaded.failure != LoadFailure::None) {
        printLoadFailure(loaded, err_);
        return kExitInputError;
    }
    return std::nullopt;
}

int RecordFolder::save(RecordKind kind)
{
    try {
        saveRecordFile(programFolder_, data_, kind);
    } catch (const std::exception& e) {
        err_ << cp1250ToUtf8(configSaveErrorText()) << " (" << e.what() << ")\n";
        return kExitRefused;
    }
    return 0;
}

namespace {

size_t recordCount(const ProgramData& data, RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return data.accounts.size();
    case RecordKind::Rules:
        return data.rules.size();
    case RecordKind::Friends:
        return data.friends.size();
    case RecordKind::BayesWords:
        break;
    }
    return data.bayesWords.size();
}

const char* recordNoun(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return "account";
    case RecordKind::Rules:
        return "rule";
    case RecordKind::Friends:
        return "friend";
    case RecordKind::BayesWords:
        break;
    }
    return "word";
}

} // namespace

size_t RecordFolder::recordIndex(RecordKind kind, const std::string& id) const
{
    const auto count = static_cast<int64_t>(recordCount(data_, kind));
    try {
        if (count > 0)
            return static_cast<size_t>(strictIntegerInRange(id, 0, count - 1));
    } catch (const EConvertError&) {
    }
    throw RecordIdError("no " + std::string(recordNoun(kind)) + " with ID " + id + " (" + std::to_string(count) + " " +
                        recordNoun(kind) + "s, IDs from 0)");
}

} // namespace kestrin::cli
