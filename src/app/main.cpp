// The tray program: the application, the program folder and its shipped data,
// and the two windows of ui/main/tray_program.h. Wiring only.
#include "platform/desktop/autostart.h"
#include "platform/desktop/mail_program.h"
#include "platform/desktop/shell_open.h"
#include "platform/program_folder.h"
#include "storage/atomic_file.h"
#include "storage/first_settings.h"
#include "text/date_time.h"
#include "ui/artwork/tray_icons.h"
#include "ui/common/file_chooser.h"
#include "ui/common/prompter.h"
#include "ui/main/command_line.h"
#include "ui/main/home_refusal.h"
#include "ui/main/tray_program.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>
#include <iostream>

namespace {

// The idle tray picture at the sizes window managers ask for; boxes shown
// before any window exists take it too.
QIcon programIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48})
        icon.addPixmap(QPixmap::fromImage(kestrin::artwork::trayIconImage(0, side)));
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace kestrin;
    using namespace kestrin::ui;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrin"));
    // The program lives in the tray: hiding the window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
    // Qt's own dialogs and buttons in Polish, when the translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const CommandLine commandLine = parseCommandLine(QApplication::arguments());
    MessageBoxPrompter prompter;
    if (const QString refusal = homeRefusalText(commandLine.home); !refusal.isEmpty()) {
        std::cerr << refusal.toLocal8Bit().constData() << '\n';
        prompter.show(PromptIcon::Error, programCaption(), refusal);
        return 2;
    }
    const std::string programFolder = chooseProgramFolder(commandLine.home);
    try {
        installShippedData(programFolder, shippedDataFolder());
    } catch (const std::exception& error) {
        prompter.show(PromptIcon::Error, programCaption(),
                      QStringLiteral("Nie można utworzyć folderu programu:\r\n") +
                          QString::fromLocal8Bit(error.what()));
        return 1;
    }
    if (needsFirstSettings(programFolder)) {
        try {
            saveFirstSettingsFile(programFolder, localNow(), desktopMailProgram());
        } catch (const EFileError&) {
            // The window's own checks tell the user of a folder that takes no files.
        }
    }

    DesktopShellOpen shell;
    DialogFileChooser files;
    XdgAutostart autostart;
    TrayProgram program(programFolder, commandLine, TrayProgramServices{prompter, shell, files, autostart, {}, {}, {}},
                        QApplication::applicationFilePath());
    if (!program.start())
        return 0;
    return QApplication::exec();
}
