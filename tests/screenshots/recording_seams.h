#pragma once
// What the pictured windows are given instead of the desktop: boxes and
// shell-open requests are recorded (the tool draws the boxes afterwards),
// and the settings window's start-up does everything but start a check cycle.
#include "platform/desktop/shell_open.h"
#include "ui/common/prompter.h"
#include "ui/dialogs/options_host.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kestrin::ui {
class Tmain;
}

namespace kestrin::shots {

struct RecordedBox {
    ui::PromptIcon icon;
    QString caption;
    QString text;
    bool question = false;
};

class RecordingPrompter : public ui::Prompter {
public:
    void show(ui::PromptIcon icon, const QString& caption, const QString& text) override;
    // Always "No": no question may change the demo data.
    bool ask(const QString& caption, const QString& text) override;
    // The boxes recorded since the last call, which forgets them.
    std::vector<RecordedBox> take();

private:
    std::vector<RecordedBox> boxes_;
};

class RecordingShellOpen : public ShellOpen {
public:
    bool open(const QString& target, const QStringList& arguments) override;

    QStringList targets;
    bool succeeds = true;
};

// The main window as the settings window's host, except that the first check
// cycle is only noted: the pictures show the program idle after its start.
class FirstCycleHeld : public ui::OptionsHost {
public:
    explicit FirstCycleHeld(ui::Tmain& window) : window_(window) {}

    void setCheckInterval(int milliseconds) override;
    bool checkTimerEnabled() const override;
    void setTrayAction(const QString& caption, int glyphIndex) override;
    void setTrayIconFile(const QString& icoPath) override;
    void setTransparency(bool on, int opacity) override;
    void setMainWindowEnabled(bool enabled) override;
    QIcon mainWindowIcon() const override;
    double mainWindowOpacity() const override;
    void importFriendsSilently() override;
    void statisticsViewChanged() override;
    void restoreListSorting() override;
    void refreshItemCounts() override;
    void reportReplaced() override;
    void startFirstCycle() override { firstCycleRequested = true; }
    void closeMainWindow() override;

    bool firstCycleRequested = false;

private:
    ui::Tmain& window_;
};

} // namespace kestrin::shots
