#pragma once
// The program folder as the record subcommands (`rules`, `accounts`,
// `friends`) change it: the single-instance lock held from the load to the
// write, so that a running tray program cannot replace the change with its own
// records at its save-all; the load-all sequence for the records and the
// settings they are checked against; one write of the changed file.
#include "platform/single_instance.h"
#include "storage/program_data.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrin::cli {

class RecordFolder {
public:
    RecordFolder(std::string programFolder, std::ostream& err);

    // Takes the lock and loads. An exit status when the command must end
    // here, having written nothing.
    std::optional<int> open();
    ProgramData& data() { return data_; }
    const std::string& path() const { return programFolder_; }
    // Writes the file of one record kind; 0, or an exit status with the
    // program's message.
    int save(RecordKind kind);
    // The record a user's ID names (IDs as the pages show them, from 0);
    // throws RecordIdError for anything else.
    size_t recordIndex(RecordKind kind, const std::string& id) const;

private:
    std::string programFolder_;
    std::ostream& err_;
    SingleInstanceLock lock_;
    ProgramData data_;
};

// The editors' store step: index -1 appends, any other replaces; then the
// kind's file is written.
template <typename Record>
int storeRecord(RecordFolder& folder, std::vector<Record>& records, const Record& record, int editIndex,
                RecordKind kind)
{
    if (editIndex < 0)
        records.push_back(record);
    else
        records.at(static_cast<size_t>(editIndex)) = record;
    return folder.save(kind);
}

class RecordIdError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kestrin::cli
