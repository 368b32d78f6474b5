#pragma once
// The columns one record kind expects and how a stored table maps onto them:
// by column name, so files with columns in another order, with unknown columns
// or with missing columns still load.
#include "storage/record_database.h"

#include <string>
#include <vector>

namespace kestrin {

struct ColumnLayout {
    std::string name;
    std::string defaultValue; // used when the column is missing or its value is empty
};

// Maps stored rows onto the expected columns: one value per expected column in
// layout order. A zero-length stored value keeps the default; a stored column
// feeds every expected column of the same name (exact bytes); other stored
// columns are skipped.
class LayoutMapper {
public:
    LayoutMapper(const std::vector<std::string>& storedColumns, const std::vector<ColumnLayout>& layout);
    std::vector<std::string> map(const std::vector<std::string>& storedRow) const;

private:
    std::vector<std::string> defaults_;
    std::vector<std::vector<size_t>> targets_; // per stored column, the expected positions of the same name
};

// A table with the layout's column names in layout order and the given rows.
RecordTable tableInLayout(const std::vector<ColumnLayout>& layout, std::vector<std::vector<std::string>> rows);

} // namespace kestrin
