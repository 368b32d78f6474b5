#include "storage/record_tables.h"

#include "storage/record_values.h"

namespace kestrin {
namespace {

using Row = std::vector<std::string>;

// Column positions in each layout below.
enum AccountColumn { aName, aPop3, aSmtp, aDopo, aUppo, aUser, aPass, aSize, aNrep, aSsl };
enum RuleColumn { rName, rIcon, rStat, rTyp, rSub, rStr, rAct0, rAct1, rAct2, rAct3, rSendto, rRestr, rNofri };
enum FriendColumn { fName, fMail };
enum BayesColumn { bName, bList, bStat, bLastuse };

// ssl came after the Windows program: its files lack the column and load as plain connections.
const std::vector<ColumnLayout> kAccountLayout = {
    {"name", ""}, {"pop3", ""}, {"smtp", ""},   {"dopo", "110"}, {"uppo", "25"},
    {"user", ""}, {"pass", ""}, {"size", "50"}, {"nrep", "0"},   {"ssl", "0"},
};
const std::vector<ColumnLayout> kRuleLayout = {
    {"name", ""},  {"icon", "0"}, {"stat", "0"},  {"typ", "2"},   {"sub", "1"},  {"str", ""},    {"act0", "-1"},
    {"act1", "0"}, {"act2", "0"}, {"act3", "-1"}, {"sendto", ""}, {"restr", ""}, {"nofri", "0"},
};
const std::vector<ColumnLayout> kFriendLayout = {{"name", ""}, {"mail", ""}};
// An empty list value does not convert, as in the files this format comes from.
const std::vector<ColumnLayout> kBayesLayout = {{"name", ""}, {"list", ""}, {"stat", "0"}, {"lastuse", ""}};

template <typename Record, typename ToRow>
RecordTable toTable(RecordKind kind, const std::vector<Record>& records, ToRow toRow)
{
    std::vector<Row> rows;
    rows.reserve(records.size());
    for (const auto& record : records)
        rows.push_back(toRow(record));
    return tableInLayout(recordLayout(kind), std::move(rows));
}

template <typename Record, typename FromRow>
std::vector<Record> fromTable(RecordKind kind, const RecordTable& table, FromRow fromRow)
{
    const LayoutMapper mapper(table.columns, recordLayout(kind));
    std::vector<Record> records;
    records.reserve(table.rows.size());
    for (const auto& storedRow : table.rows)
        records.push_back(fromRow(mapper.map(storedRow)));
    return records;
}

Row accountRow(const AccountRecord& a)
{
    return {a.name, a.pop3, a.smtp, a.dopo, a.uppo, a.user, a.pass, a.size, booleanText(a.nrep), a.ssl};
}

AccountRecord accountFromRow(const Row& row)
{
    AccountRecord a;
    a.name = row[aName];
    a.pop3 = row[aPop3];
    a.smtp = row[aSmtp];
    a.dopo = row[aDopo];
    a.uppo = row[aUppo];
    a.user = row[aUser];
    a.pass = row[aPass];
    a.size = row[aSize];
    a.nrep = parseBooleanValue(row[aNrep]);
    a.ssl = row[aSsl];
    return a;
}

Row ruleRow(const RuleRecord& r)
{
    return {r.name,
            std::to_string(r.icon),
            std::to_string(r.stat),
            std::to_string(r.typ),
            std::to_string(r.sub),
            r.str,
            booleanText(r.act[0]),
            booleanText(r.act[1]),
            booleanText(r.act[2]),
            booleanText(r.act[3]),
            r.sendto,
            r.restr,
            booleanText(r.nofri)};
}

// The stored icon is never read back: the rule list draws every loaded rule with image 0.
RuleRecord ruleFromRow(const Row& row)
{
    RuleRecord r;
    r.name = row[rName];
    r.icon = 0;
    r.stat = parseUnsigned32(row[rStat]);
    r.typ = parseUnsigned8(row[rTyp]);
    r.sub = parseUnsigned8(row[rSub]);
    r.str = row[rStr];
    r.act = {parseBooleanValue(row[rAct0]), parseBooleanValue(row[rAct1]), parseBooleanValue(row[rAct2]),
             parseBooleanValue(row[rAct3])};
    r.sendto = row[rSendto];
    r.restr = row[rRestr];
    r.nofri = parseBooleanValue(row[rNofri]);
    return r;
}

Row friendRow(const FriendRecord& f)
{
    return {f.name, f.mail};
}

FriendRecord friendFromRow(const Row& row)
{
    return {row[fName], row[fMail]};
}

Row bayesWordRow(const BayesWordRecord& w)
{
    return {w.name, std::to_string(w.list), std::to_string(w.stat), w.lastuse};
}

BayesWordRecord bayesWordFromRow(const Row& row)
{
    BayesWordRecord w;
    w.name = row[bName];
    w.list = parseSigned32(row[bList]);
    w.stat = parseUnsigned32(row[bStat]);
    w.lastuse = row[bLastuse];
    return w;
}

} // namespace

const std::vector<ColumnLayout>& recordLayout(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return kAccountLayout;
    case RecordKind::Rules:
        return kRuleLayout;
    case RecordKind::Friends:
        return kFriendLayout;
    case RecordKind::BayesWords:
        break;
    }
    return kBayesLayout;
}

RecordTable accountsToTable(const std::vector<AccountRecord>& accounts)
{
    return toTable(RecordKind::Accounts, accounts, accountRow);
}

RecordTable rulesToTable(const std::vector<RuleRecord>& rules)
{
    return toTable(RecordKind::Rules, rules, ruleRow);
}

RecordTable friendsToTable(const std::vector<FriendRecord>& friends)
{
    return toTable(RecordKind::Friends, friends, friendRow);
}

RecordTable bayesWordsToTable(const std::vector<BayesWordRecord>& words)
{
    return toTable(RecordKind::BayesWords, words, bayesWordRow);
}

std::vector<AccountRecord> accountsFromTable(const RecordTable& table)
{
    return fromTable<AccountRecord>(RecordKind::Accounts, table, accountFromRow);
}

std::vector<RuleRecord> rulesFromTable(const RecordTable& table)
{
    return fromTable<RuleRecord>(RecordKind::Rules, table, ruleFromRow);
}

std::vector<FriendRecord> friendsFromTable(const RecordTable& table)
{
    return fromTable<FriendRecord>(RecordKind::Friends, table, friendFromRow);
}

std::vector<BayesWordRecord> bayesWordsFromTable(const RecordTable& table)
{
    return fromTable<BayesWordRecord>(RecordKind::BayesWords, table, bayesWordFromRow);
}

} // namespace kestrin
