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

void FirstCycleHeld::setCheckInterval(int milliseconds)
{
    window_.setCheckInterval(milliseconds);
}

bool FirstCycleHeld::checkTimerEnabled() const
{
    return window_.checkTimerEnabled();
}

void FirstCycleHeld::setTrayAction(const QString& caption, int glyphIndex)
{
    window_.setTrayAction(caption, glyphIndex);
}

void FirstCycleHeld::setTrayIconFile(const QString& icoPath)
{
    window_.setTrayIconFile(icoPath);
}

void FirstCycleHeld::setTransparency(bool on, int opacity)
{
    window_.setTransparency(on, opacity);
}

void FirstCycleHeld::setMainWindowEnabled(bool enabled)
{
    window_.setMainWindowEnabled(enabled);
}

QIcon FirstCycleHeld::mainWindowIcon() const
{
    return window_.mainWindowIcon();
}

double FirstCycleHeld::mainWindowOpacity() const
{
    return window_.mainWindowOpacity();
}

void FirstCycleHeld::importFriendsSilently()
{
    window_.importFriendsSilently();
}

void FirstCycleHeld::statisticsViewChanged()
{
    window_.statisticsViewChanged();
}

void FirstCycleHeld::restoreListSorting()
{
    window_.restoreListSorting();
}

void FirstCycleHeld::refreshItemCounts()
{
    window_.refreshItemCounts();
}

void FirstCycleHeld::reportReplaced()
{
    window_.reportReplaced();
}

void FirstCycleHeld::closeMainWindow()
{
    window_.closeMainWindow();
}

} // namespace kestrin::shots
