#pragma once
// The four record database files: which columns each holds, in the order they
// are written, with the defaults a missing or empty value takes, and the
// conversion between records and stored rows.
#include "storage/record_database.h"
#include "storage/record_layout.h"
#include "storage/records.h"
#include "text/convert_error.h"

#include <string>
#include <vector>

namespace kestrin {

enum class RecordKind { Accounts, Rules, Friends, BayesWords };

// programFolder + "/config/acc_database2.dat" and so on.
std::string recordFilePath(const std::string& programFolder, RecordKind kind);

const std::vector<ColumnLayout>& recordLayout(RecordKind kind);

// Records -> rows: text fields as they are, numbers in decimal, booleans "-1"/"0".
RecordTable accountsToTable(const std::vector<AccountRecord>& accounts);
RecordTable rulesToTable(const std::vector<RuleRecord>& rules);
RecordTable friendsToTable(const std::vector<FriendRecord>& friends);
RecordTable bayesWordsToTable(const std::vector<BayesWordRecord>& words);

// Rows -> records, by column name with defaults; throws EConvertError for a
// value that does not convert. A rule's icon always loads as 0 and an
// account's skip counter as 0. Every stored row becomes a record: the per-kind
// limits belong to the editors.
std::vector<AccountRecord> accountsFromTable(const RecordTable& table);
std::vector<RuleRecord> rulesFromTable(const RecordTable& table);
std::vector<FriendRecord> friendsFromTable(const RecordTable& table);
std::vector<BayesWordRecord> bayesWordsFromTable(const RecordTable& table);

// A missing file loads as no records. Loads throw EConfigVersionError (refused
// file), EConvertError (a value that does not convert) and EFileError (read
// error or damaged file); saves throw EFileError and leave the previous file whole.
std::vector<AccountRecord> loadAccounts(const std::string& programFolder);
std::vector<RuleRecord> loadRules(const std::string& programFolder);
std::vector<FriendRecord> loadFriends(const std::string& programFolder);
std::vector<BayesWordRecord> loadBayesWords(const std::string& programFolder);
void saveAccounts(const std::string& programFolder, const std::vector<AccountRecord>& accounts);
void saveRules(const std::string& programFolder, const std::vector<RuleRecord>& rules);
void saveFriends(const std::string& programFolder, const std::vector<FriendRecord>& friends);
void saveBayesWords(const std::string& programFolder, const std::vector<BayesWordRecord>& words);

} // namespace kestrin
