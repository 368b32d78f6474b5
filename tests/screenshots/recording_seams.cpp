#include "recording_seams.h"

#include "ui/main/main_form.h"

namespace kestrin::shots {

void RecordingPrompter::show(ui::PromptIcon icon, const QString& caption, const QString& text)
{
    boxes_.push_back({icon, caption, text, false});
}

bool RecordingPrompter::ask(const QString& caption, const QString& text)
{
    boxes_.push_back({ui::PromptIcon::Question, caption, text, true});
    return false;
}

std::vector<RecordedBox> RecordingPrompter::take()
{
    std::vector<RecordedBox> taken;
    taken.swap(boxes_);
    return taken;
}

bool RecordingShellOpen::open(const QString& target, const QStringList&)
{
    targets.append(target);
    return succeeds;
}

} // namespace kestrin::shots
