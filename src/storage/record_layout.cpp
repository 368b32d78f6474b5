#include "storage/record_layout.h"

#include <algorithm>

namespace kestrin {

LayoutMapper::LayoutMapper(const std::vector<std::string>& storedColumns, const std::vector<ColumnLayout>& layout)
    : targets_(storedColumns.size())
{
    defaults_.reserve(layout.size());
    for (const auto& column : layout)
        defaults_.push_back(column.defaultValue);
    for (size_t stored = 0; stored < storedColumns.size(); ++stored)
        for (size_t expected = 0; expected < layout.size(); ++expected)
            if (storedColumns[stored] == layout[expected].name)
                targets_[stored].push_back(expected);
}

std::vector<std::string> LayoutMapper::map(const std::vector<std::string>& storedRow) const
{
    auto row = defaults_;
    const size_t width = std::min(storedRow.size(), targets_.size());
    for (size_t stored = 0; stored < width; ++stored) {
        if (storedRow[stored].empty())
            continue;
        for (size_t expected : targets_[stored])
            row[expected] = storedRow[stored];
    }
    return row;
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
