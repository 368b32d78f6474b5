#include "demo_program.h"

#include "ui/main/command_line.h"

namespace kestrin::shots {

DemoProgram::DemoProgram(std::string programFolder, const std::string& lockFolder, QStringList arguments)
    : programFolder_(std::move(programFolder)), autostart_(QString::fromStdString(programFolder_ + "/xdg-config"))
{
    // No notification area: the window shows at start, as where no tray exists.
    main_ = std::make_unique<ui::Tmain>(programFolder_, std::move(arguments),
                                        ui::MainServices{prompter, shell, [] {}, [] { return false; }, lockFolder});
}

// The settings window goes first: it works on the main window's data.
DemoProgram::~DemoProgram()
{
    options_.reset();
}

bool DemoProgram::start()
{
    if (!main_->FormCreate())
        return false;
    host_ = std::make_unique<FirstCycleHeld>(*main_);
    ui::CommandLine commandLine;
    commandLine.home = programFolder_;
    options_ = std::make_unique<ui::Toptions>(programFolder_, main_->data(), *host_,
                                              ui::OptionsServices{prompter, files_, autostart_},
                                              QStringLiteral("/usr/bin/kestrin"), ui::homeArguments(commandLine));
    ui::Toptions* options = options_.get();
    main_->setSettingsCommand([options] { options->showSettings(); });
    options->formCreate();
    return true;
}

} // namespace kestrin::shots
