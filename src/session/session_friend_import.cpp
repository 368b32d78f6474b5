// The address-book import as the friend page's command and the start-up's
// silent synchronisation run it: planned against the stored friends, then
// applied whole with one write, or not at all.
#include "session/program_session.h"

#include "storage/record_tables.h"

namespace kestrin::session {

FriendImportPlan ProgramSession::planFriendImport(const std::string& bookPath) const
{
    return kestrin::planFriendImport(bookPath.empty() ? data_.settings.addressBookFile : bookPath, data_.friends);
}

ChangeResult ProgramSession::importFriends(const std::vector<FriendRecord>& additions)
{
    // A friend file whose load did not complete must not be replaced, and
    // friends kept only in memory would be a half-done import.
    if (!data_.saveAllEnabled || data_.loadIncomplete[static_cast<size_t>(StoredFile::Friends)])
        return ChangeResult::refused(friendImportErrorText());
    const size_t before = data_.friends.size();
    for (FriendRecord added : additions) {
        added.key = newRecordKey();
        data_.friends.push_back(std::move(added));
    }
    try {
        saveRecordFile(programFolder_, data_, RecordKind::Friends);
    } catch (const std::exception&) {
        data_.friends.resize(before);
        return ChangeResult::refused(friendImportErrorText());
    }
    emit recordsChanged(RecordKind::Friends);
    return {};
}

} // namespace kestrin::session
