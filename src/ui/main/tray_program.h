#pragma once
// The tray program: the session and its two long-lived windows, and their
// start: the main window first, which makes sure only one copy runs, then the
// settings window, then the session's start-up (load-all, apply, first cycle).
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
    std::string lockFolder;              // empty: singleInstanceLockFolder()
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

    session::ProgramSession& session() { return *session_; }
    Tmain& mainForm() { return *mainForm_; }
    // Null until start() got past the main window's creation.
    Toptions* options() { return options_.get(); }

private:
    CommandLine commandLine_;
    TrayProgramServices services_;
    QString programPath_;
    std::unique_ptr<session::ProgramSession> session_;
    std::unique_ptr<Tmain> mainForm_;
    std::unique_ptr<Toptions> options_;
};

} // namespace kestrin::ui
