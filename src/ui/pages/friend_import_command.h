#pragma once
// "Importuj adresy przyjaciół z książki adresowej..." and the silent import at
// start-up: the session's plan shown in the import's boxes, then applied.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <cstddef>

namespace kestrin::ui {

// Silent shows no question and no warning, only a failure to read or write.
// Returns how many friends were added.
size_t runFriendImport(session::ProgramSession& session, Prompter& prompter, bool silent);

} // namespace kestrin::ui
