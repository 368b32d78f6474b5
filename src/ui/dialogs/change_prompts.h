#pragma once
// What an editor shows once the session has answered its save: the refusal in
// a warning box with the editor's caption, or the write failure.
#include "session/change_result.h"
#include "ui/common/prompter.h"

namespace kestrin::ui {

// True when the change was made (even if its file could not be written).
bool showChangeOutcome(Prompter& prompter, const session::ChangeResult& result, const QString& refusalCaption);

} // namespace kestrin::ui
