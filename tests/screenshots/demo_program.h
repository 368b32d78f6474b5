#pragma once
// The tray program's session and two windows on one program folder, started
// as the executable starts them (main window, settings window, the session's
// start-up) on recording seams, with the first check cycle held.
#include "platform/desktop/autostart.h"
#include "recording_seams.h"
#include "ui/common/file_chooser.h"
#include "ui/dialogs/options_form.h"
#include "ui/main/main_form.h"

#include <QStringList>

#include <memory>
#include <string>

namespace kestrin::shots {

class DemoProgram {
public:
    // lockFolder: where the single-instance lock lives (a folder of the tool's own).
    DemoProgram(std::string programFolder, const std::string& lockFolder, QStringList arguments = {});
    ~DemoProgram();
    DemoProgram(const DemoProgram&) = delete;
    DemoProgram& operator=(const DemoProgram&) = delete;

    // False when the main window's creation ended this copy, or the start-up
    // did not end idle with every file read (the boxes say why).
    bool start();

    ui::Tmain& main() { return *main_; }
    // Null until start() got past the main window's creation.
    ui::Toptions* options() { return options_.get(); }

    RecordingPrompter prompter;
    RecordingShellOpen shell;

private:
    std::string programFolder_;
    ui::DialogFileChooser files_; // no picture opens a file dialog
    XdgAutostart autostart_;      // below the program folder
    std::unique_ptr<session::ProgramSession> session_;
    std::unique_ptr<ui::Tmain> main_;
    std::unique_ptr<ui::Toptions> options_;
};

} // namespace kestrin::shots
