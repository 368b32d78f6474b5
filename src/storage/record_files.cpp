#include "storage/record_tables.h"

namespace kestrin {
namespace {

RecordTable storedTable(const std::string& programFolder, RecordKind kind)
{
    return readRecordFile(recordFilePath(programFolder, kind)).value_or(RecordTable{});
}

} // namespace

std::string recordFilePath(const std::string& programFolder, RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return programFolder + "/config/acc_database2.dat";
    case RecordKind::Rules:
        return programFolder + "/config/regs_database2.dat";
    case RecordKind::Friends:
        return programFolder + "/config/fri_database2.dat";
    case RecordKind::BayesWords:
        break;
    }
    return programFolder + "/config/bay_database2.dat";
}

std::vector<AccountRecord> loadAccounts(const std::string& programFolder)
{
    return accountsFromTable(storedTable(programFolder, RecordKind::Accounts));
}

std::vector<RuleRecord> loadRules(const std::string& programFolder)
{
    return rulesFromTable(storedTable(programFolder, RecordKind::Rules));
}

std::vector<FriendRecord> loadFriends(const std::string& programFolder)
{
    return friendsFromTable(storedTable(programFolder, RecordKind::Friends));
}

std::vector<BayesWordRecord> loadBayesWords(const std::string& programFolder)
{
    return bayesWordsFromTable(storedTable(programFolder, RecordKind::BayesWords));
}

void saveAccounts(const std::string& programFolder, const std::vector<AccountRecord>& accounts)
{
    writeRecordFile(recordFilePath(programFolder, RecordKind::Accounts), accountsToTable(accounts));
}

void saveRules(const std::string& programFolder, const std::vector<RuleRecord>& rules)
{
    writeRecordFile(recordFilePath(programFolder, RecordKind::Rules), rulesToTable(rules));
}

void saveFriends(const std::string& programFolder, const std::vector<FriendRecord>& friends)
{
    writeRecordFile(recordFilePath(programFolder, RecordKind::Friends), friendsToTable(friends));
}

void saveBayesWords(const std::string& programFolder, const std::vector<BayesWordRecord>& words)
{
    writeRecordFile(recordFilePath(programFolder, RecordKind::BayesWords), bayesWordsToTable(words));
}

} // namespace kestrin
