#include "storage/record_layout.h"

#include <algorithm>

namespace kestrin {
namespace {

std::vector<std::string> defaultRow(const std::vector<ColumnLayout>& layout)
{
    std::vector<std::string> row;
    row.reserve(layout.size());
    for (const auto& column : layout)
        row.push_back(column.defaultValue);
    return row;
}

// For each stored column, the expected positions with the same name.
std::vector<std::vector<size_t>> columnTargets(const RecordTable& table, const std::vector<ColumnLayout>& layout)
{
    std::vector<std::vector<size_t>> targets(table.columns.size());
    for (size_t stored = 0; stored < table.columns.size(); ++stored)
        for (size_t expected = 0; expected < layout.size(); ++expected)
            if (table.columns[stored] == layout[expected].name)
                targets[stored].push_back(expected);
    return targets;
}

} // namespace

std::vector<std::vector<std::string>> rowsInLayout(const RecordTable& table, const std::vector<ColumnLayout>& layout)
{
    const auto targets = columnTargets(table, layout);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(table.rows.size());
    for (const auto& storedRow : table.rows) {
        auto row = defaultRow(layout);
        const size_t width = std::min(storedRow.size(), targets.size());
        for (size_t stored = 0; stored < width; ++stored) {
            if (storedRow[stored].empty())
                continue;
            for (size_t expected : targets[stored])
                row[expected] = storedRow[stored];
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

RecordTable tableInLayout(const std::vector<ColumnLayout>& layout, std::vector<std::vector<std::string>> rows)
{
    RecordTable table;
    for (const auto& column : layout)
        table.columns.push_back(column.name);
    table.rows = std::move(rows);
    return table;
}

} // namespace kestrin
