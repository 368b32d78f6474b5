#pragma once
// The check cycle's host on a terminal: every step runs inline on the
// worker's thread, which here is the only thread touching the program's data.
// Status lines and the progress go to the error stream as they happen; each
// report entry the cycle adds goes to the output stream as its stored line, so
// a script can collect the report of one run from standard output alone.
#include "engine/cycle_host.h"
#include "storage/program_data.h"

#include <cstdint>
#include <ostream>

namespace kestrin::cli {

class ConsoleHost : public CycleHost {
public:
    ConsoleHost(ProgramData& data, std::ostream& out, std::ostream& err) : data_(data), out_(out), err_(err) {}

    void status(const std::string& text) override;
    void progress(uint8_t percent) override;
    void result(const CycleResult& result) override;
    void end(const CycleEnd& end) override;

    // Rows the window would draw bold: the entries added since the start.
    int newEntryCount() const { return newEntryCount_; }
    // The new-mail summary of the last completed cycle.
    const CycleEnd& lastEnd() const { return lastEnd_; }

private:
    ProgramData& data_;
    std::ostream& out_;
    std::ostream& err_;
    int newEntryCount_ = 0;
    CycleEnd lastEnd_;
};

} // namespace kestrin::cli
