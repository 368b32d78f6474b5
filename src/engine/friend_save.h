#pragma once
// The friend editor's save steps without the window; the window, the session
// and kestrin-cli all save a friend through checkFriendSave.
#include "storage/records.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrin {

// The caption of the editor's refusals and of its question (Windows-1250).
std::string friendSaveCaption();

enum class FriendSaveStatus { Accepted, Refused, Asked };

struct FriendSaveOutcome {
    FriendSaveStatus status = FriendSaveStatus::Accepted;
    std::string text; // Windows-1250: the refusal or the Yes/No question
};

// editIndex -1 adds a friend; an index past the list is refused with an empty
// text. addressAnswered: the question about an address without "@" was
// answered Yes.
FriendSaveOutcome checkFriendSave(const FriendRecord& candidate, const std::vector<FriendRecord>& friends,
                                  int editIndex, bool addressAnswered);

} // namespace kestrin
