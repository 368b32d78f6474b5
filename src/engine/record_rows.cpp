#include "engine/record_rows.h"

#include "engine/account_fields.h"
#include "engine/rule_vocabulary.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace kestrin {
namespace {

constexpr size_t kRuleHitColumn = 5;

std::string accountSizeText(const std::string& size)
{
    return size == kUnlimitedSizeText ? std::string("(nieograniczony)") : size + " kb";
}

std::string ruleFieldName(uint8_t typ)
{
    return typ < kRuleFieldCount ? ruleFieldNames()[typ] : std::string();
}

template <typename Record, typename Cells>
void appendCells(std::vector<std::vector<std::string>>& rows, const std::vector<Record>& records, Cells cells)
{
    for (size_t id = 0; id < records.size(); ++id)
        rows.push_back(cells(records[id], id));
}

// Negative when a comes before b in ascending order.
int compareIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(lowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(lowerAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareNumbers(uint64_t a, uint64_t b)
{
    return a == b ? 0 : (a < b ? -1 : 1);
}

std::string percentText(double value, char decimalSeparator)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text(buffer);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text + "%";
}

} // namespace

std::vector<std::string> accountCells(const AccountRecord& account, size_t id)
{
    return {std::to_string(id),
            account.name,
            account.pop3 + ":" + account.dopo,
            account.smtp + ":" + account.uppo,
            account.user,
            accountSizeText(account.size)};
}

std::vector<std::string> ruleCells(const RuleRecord& rule, size_t id)
{
    return {std::to_string(id),       rule.name, ruleFieldName(rule.typ), conditionName(rule.typ, rule.sub), rule.str,
            std::to_string(rule.stat)};
}

std::vector<std::string> friendCells(const FriendRecord& friendRecord, size_t id)
{
    return {std::to_string(id), friendRecord.name, friendRecord.mail};
}

std::vector<std::vector<std::string>> pageCells(RecordPage page, const ProgramData& data)
{
    std::vector<std::vector<std::string>> rows;
    switch (page) {
    case RecordPage::Accounts:
        appendCells(rows, data.accounts, accountCells);
        break;
    case RecordPage::Rules:
        appendCells(rows, data.rules, ruleCells);
        break;
    case RecordPage::Friends:
        appendCells(rows, data.friends, friendCells);
        break;
    }
    return rows;
}

std::vector<size_t> sortedRowOrder(RecordPage page, const std::vector<std::vector<std::string>>& cells,
                                   const std::vector<RuleRecord>& rules, SortState sort)
{
    std::vector<size_t> order(cells.size());
    std::iota(order.rbegin(), order.rend(), size_t{0}); // unsorted, the newest record stands first
    const auto column = static_cast<size_t>(std::max(sort.column, 0));
    const auto compare = [&](size_t a, size_t b) {
        if (column == 0)
            return compareNumbers(b, a);
        if (page == RecordPage::Rules && column == kRuleHitColumn && a < rules.size() && b < rules.size())
            return compareNumbers(rules[b].stat, rules[a].stat);
        if (column >= cells[a].size() || column >= cells[b].size())
            return 0;
        return compareIgnoringAsciiCase(cells[a][column], cells[b][column]);
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int result = compare(a, b);
        return sort.descending ? result > 0 : result < 0;
    });
    return order;
}

RuleDetails ruleDetails(const RuleRecord& rule, const RuleHitStatistics& statistics, char decimalSeparator)
{
    const double share = statistics.total == 0 ? 0.0 : rule.stat * 100.0 / static_cast<double>(statistics.total);
    const double power = rule.stat * 100.0 / std::max<uint32_t>(statistics.maximum, 1);
    RuleDetails details;
    details.count = percentText(share, decimalSeparator) + ", " + std::to_string(rule.stat) + " raz(y)";
    details.power = percentText(power, decimalSeparator);
    details.barMaximum = std::max<uint32_t>(statistics.maximum, 1);
    details.barPosition = rule.stat;
    return details;
}

} // namespace kestrin
