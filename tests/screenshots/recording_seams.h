#pragma once
// What the pictured windows are given instead of the desktop: boxes and
// shell-open requests are recorded (the tool draws the boxes afterwards).
#include "platform/desktop/shell_open.h"
#include "ui/common/prompter.h"

#include <QString>
#include <QStringList>

#include <vector>

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

} // namespace kestrin::shots
