#include "ui/pages/friend_import_command.h"

#include "ui/common/win1250_text.h"

namespace kestrin::ui {

size_t runFriendImport(session::ProgramSession& session, Prompter& prompter, bool silent)
{
    using Outcome = FriendImportPlan::Outcome;
    const FriendImportPlan plan = session.planFriendImport();
    const QString caption = fromWin1250(friendImportCaption());
    if (plan.outcome != Outcome::Ready) {
        if (showsBox(plan.outcome, silent))
            prompter.show(plan.outcome == Outcome::Error ? PromptIcon::Error : PromptIcon::Warning, caption,
                          fromWin1250(plan.boxText));
        return 0;
    }
    if (!silent && !prompter.ask(caption, fromWin1250(plan.question)))
        return 0;
    const session::ChangeResult result = session.importFriends(plan.additions);
    if (!result.done) {
        prompter.show(PromptIcon::Error, caption, fromWin1250(result.refusal));
        return 0;
    }
    if (!silent)
        prompter.show(PromptIcon::Information, caption,
                      QStringLiteral("Zaimportowano pozycji do listy przyjaciół: %1.").arg(plan.additions.size()));
    return plan.additions.size();
}

} // namespace kestrin::ui
