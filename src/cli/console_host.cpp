#include "cli/console_host.h"

#include "engine/cycle_changes.h"
#include "text/cp1250.h"

namespace kestrin::cli {

void ConsoleHost::status(const std::string& text)
{
    err_ << cp1250ToUtf8(text) << std::endl;
}

void ConsoleHost::progress(uint8_t percent)
{
    err_ << static_cast<unsigned>(percent) << '%' << std::endl;
}

void ConsoleHost::result(const CycleResult& result)
{
    const size_t linesBefore = data_.report.size();
    applyCycleResult(result, data_, newEntryCount_);
    // The result step inserts at most one entry, always as the first line.
    if (data_.report.size() > linesBefore)
        out_ << cp1250ToUtf8(data_.report.front()) << std::endl;
}

void ConsoleHost::end(const CycleEnd& end)
{
    applySharedChanges(end.changes, data_);
    lastEnd_ = end;
}

} // namespace kestrin::cli
