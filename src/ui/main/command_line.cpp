#include "ui/main/command_line.h"

#include <QFileInfo>

namespace kestrin::ui {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine result;
    const QString option = QStringLiteral("--home");
    const QString optionWithValue = QStringLiteral("--home=");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == option && i + 1 < arguments.size()) {
            result.home = arguments[++i].toLocal8Bit().toStdString();
        } else if (argument.startsWith(optionWithValue) && argument.size() > optionWithValue.size()) {
            result.home = argument.mid(optionWithValue.size()).toLocal8Bit().toStdString();
        } else {
            // A "--home" without a folder is no folder: it counts as a parameter.
            result.otherParameters.append(argument);
        }
    }
    return result;
}

QStringList homeArguments(const CommandLine& commandLine)
{
    if (!commandLine.home)
        return {};
    // Absolute: the desktop starts autostart entries from another folder.
    const QString home =
        QString::fromLocal8Bit(commandLine.home->data(), static_cast<qsizetype>(commandLine.home->size()));
    return {QStringLiteral("--home"), QFileInfo(home).absoluteFilePath()};
}

} // namespace kestrin::ui
