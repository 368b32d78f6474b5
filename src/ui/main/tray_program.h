#pragma once
// The tray program's two long-lived windows and their start: the main window
// first, which makes sure only one copy runs, then the settings window, whose
// creation loads everything, applies the settings and starts the first cycle.
#include "platform/desktop/autostart.h"
#include "platform/desktop/shell_open.h"
#include "ui/common/file_chooser.h"
#include "ui/common/prompter.h"
#include "ui/main/command_line.h"
#include "ui/main/main_form.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace kestrin::ui {

class Toptions;

struct TrayProgramServices {
    Prompter& prompter;
    ShellOpen& shell;
    FileChooser& files;
    Autostart& autostart;
    std::function<void()> quit;          // empty: QCoreApplication::quit
    std::function<bool()> trayAvailable; // empty: QSystemTrayIcon's answer
};

class TrayProgram {
public:
    // programPath: what the autostart entry starts.
    TrayProgram(std::string programFolder, CommandLine commandLine, TrayProgramServices services, QString programPath);
    ~TrayProgram();
    TrayProgram(const TrayProgram&) = delete;
    TrayProgram& operator=(const TrayProgram&) = delete;

    // False when this copy must end at once (another copy runs, or old
    // settings went to the converter); nothing was loaded then.
    bool start();

    Tmain& mainForm() { return *mainForm_; }
    // Null until start() got past the main window's creation.
    Toptions* options() { return options_.get(); }

private:
    std::string programFolder_;
    CommandLine commandLine_;
    TrayProgramServices services_;
    QString programPath_;
    std::unique_ptr<Tmain> mainForm_;
    std::unique_ptr<Toptions> options_;
};

} // namespace kestrin::ui
