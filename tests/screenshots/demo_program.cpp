#include "demo_program.h"

#include "ui/main/command_line.h"

namespace kestrin::shots {

DemoProgram::DemoProgram(std::string programFolder, const std::string& lockFolder, QStringList arguments)
    : programFolder_(std::move(programFolder)), autostart_(QString::fromStdString(programFolder_ + "/xdg-config"))
{
    ui::CommandLine commandLine;
    commandLine.home = programFolder_;
    session::SessionServices services;
    services.lockFolder = lockFolder;
    services.firstCycleAtStart = false;
    services.setAutostart = [this, arguments = ui::homeArguments(commandLine)](bool enabled) {
        autostart_.setEnabled(enabled, QStringLiteral("/usr/bin/kestrin"), arguments);
    };
    session_ = std::make_unique<session::ProgramSession>(programFolder_, std::move(services));
    // No notification area: the window shows at start, as where no tray exists.
    main_ = std::make_unique<ui::Tmain>(*session_, std::move(arguments),
                                        ui::MainServices{prompter, shell, [] {}, [] { return false; }});
}

// The windows go before the session they show.
DemoProgram::~DemoProgram()
{
    options_.reset();
    main_.reset();
}

bool DemoProgram::start()
{
    if (!main_->FormCreate())
        return false;
    options_ = std::make_unique<ui::Toptions>(*session_, *main_, ui::OptionsServices{prompter, files_});
    ui::Toptions* options = options_.get();
    main_->setSettingsCommand([options] { options->showSettings(); });
    options->formCreate();
    const session::StartUpResult started = session_->startUp();
    main_->startUpEnded(started);
    return started.outcome == session::StartUpOutcome::Running;
}

} // namespace kestrin::shots
