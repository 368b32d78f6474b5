#pragma once
// The account editor's save steps without the window. The window, the session
// and kestrin-cli all save an account through checkAccountSave, so an account
// one of them refuses is refused by all.
#include "storage/records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrin {

// The caption of the editor's refusals (Windows-1250).
std::string accountSaveCaption();

// The refusal text (Windows-1250) of the first save step the account fails,
// or nullopt when it may be stored. editIndex -1 adds an account; an index
// past the list is refused with an empty text.
std::optional<std::string> checkAccountSave(const AccountRecord& account, const std::vector<AccountRecord>& accounts,
                                            int editIndex);

} // namespace kestrin
