#include "ui/main/tray_program.h"

#include "ui/dialogs/options_form.h"

namespace kestrin::ui {

TrayProgram::TrayProgram(std::string programFolder, CommandLine commandLine, TrayProgramServices services,
                         QString programPath)
    : commandLine_(std::move(commandLine)), services_(std::move(services)), programPath_(std::move(programPath))
{
    session::SessionServices sessionServices;
    Autostart& autostart = services_.autostart;
    sessionServices.setAutostart = [&autostart, program = programPath_, arguments = homeArguments(commandLine_)](
                                       bool enabled) { autostart.setEnabled(enabled, program, arguments); };
    sessionServices.lockFolder = services_.lockFolder;
    session_ = std::make_unique<session::ProgramSession>(std::move(programFolder), std::move(sessionServices));
    mainForm_ = std::make_unique<Tmain>(
        *session_, commandLine_.otherParameters,
        MainServices{services_.prompter, services_.shell, services_.quit, services_.trayAvailable});
}

// The windows go before the session they show.
TrayProgram::~TrayProgram()
{
    options_.reset();
    mainForm_.reset();
}

bool TrayProgram::start()
{
    if (!mainForm_->FormCreate())
        return false;
    options_ = std::make_unique<Toptions>(*session_, *mainForm_, OptionsServices{services_.prompter, services_.files});
    Toptions* options = options_.get();
    mainForm_->setSettingsCommand([options] { options->showSettings(); });
    options->formCreate();
    mainForm_->startUpEnded(session_->startUp());
    return true;
}

} // namespace kestrin::ui
