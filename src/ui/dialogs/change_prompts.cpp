#include "ui/dialogs/change_prompts.h"

#include "ui/common/win1250_text.h"

namespace kestrin::ui {

bool showChangeOutcome(Prompter& prompter, const session::ChangeResult& result, const QString& refusalCaption)
{
    if (!result.done) {
        // An empty refusal is a stale index: nothing to tell the user.
        if (!result.refusal.empty())
            prompter.show(PromptIcon::Warning, refusalCaption, fromWin1250(result.refusal));
        return false;
    }
    if (!result.saveError.empty())
        prompter.show(PromptIcon::Error, programCaption(), fromWin1250(result.saveError));
    return true;
}

} // namespace kestrin::ui
