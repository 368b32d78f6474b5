#include "ui/main/tray_program.h"

#include "ui/dialogs/options_form.h"

namespace kestrin::ui {

TrayProgram::TrayProgram(std::string programFolder, CommandLine commandLine, TrayProgramServices services,
                         QString programPath)
    : programFolder_(std::move(programFolder)), commandLine_(std::move(commandLine)), services_(std::move(services)),
      programPath_(std::move(programPath))
{
    mainForm_ = std::make_unique<Tmain>(
        programFolder_, commandLine_.otherParameters,
        MainServices{services_.prompter, services_.shell, services_.quit, services_.trayAvailable, {}});
}

// The settings window goes first: it works on the main window's data.
TrayProgram::~TrayProgram()
{
    options_.reset();
}

bool TrayProgram::start()
{
    if (!mainForm_->FormCreate())
        return false;
    options_ = std::make_unique<Toptions>(programFolder_, mainForm_->data(), *mainForm_,
                                          OptionsServices{services_.prompter, services_.files, services_.autostart},
                                          programPath_, homeArguments(commandLine_));
    Toptions* options = options_.get();
    mainForm_->setSettingsCommand([options] { options->showSettings(); });
    options->formCreate();
    return true;
}

} // namespace kestrin::ui
