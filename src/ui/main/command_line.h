#pragma once
// The tray program's command line: "--home DIR" (or "--home=DIR") names the
// program folder; every other parameter only changes the wording of the
// second-copy message.
#include <QStringList>

#include <optional>
#include <string>

namespace kestrin::ui {

struct CommandLine {
    std::optional<std::string> home; // local 8-bit path
    QStringList otherParameters;     // in order, without "--home DIR"
};

// arguments: QCoreApplication::arguments(), the program first.
CommandLine parseCommandLine(const QStringList& arguments);

// What an autostart entry passes to start the program on the same folder.
QStringList homeArguments(const CommandLine& commandLine);

} // namespace kestrin::ui
