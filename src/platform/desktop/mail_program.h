#pragma once
// The desktop's default mail program: the handler of "mailto:" addresses
// (`xdg-mime query default x-scheme-handler/mailto`), taken as the program
// its desktop entry starts. A new program folder's Mail setting names it, as
// the Windows program's named Outlook Express.
#include <QString>
#include <QStringList>

#include <string>

namespace kestrin {

// Where desktop entries and programs are looked for.
struct DesktopPlaces {
    QStringList applicationFolders; // the user's first
    QStringList executableFolders;  // $PATH in order
};

// The places from the environment's values: dataHome ($XDG_DATA_HOME, default
// home/.local/share) and dataDirs ($XDG_DATA_DIRS, default
// /usr/local/share:/usr/share), each with /applications; path ($PATH).
DesktopPlaces desktopPlaces(const QString& dataHome, const QString& dataDirs, const QString& home, const QString& path);

// The absolute path of the program that the desktop entry desktopId
// ("thunderbird.desktop") starts, a bare name looked for in the executable
// folders; "" when the entry, its Exec key or the program is missing.
QString desktopEntryProgram(const QString& desktopId, const DesktopPlaces& places);

// The desktop file id of the "mailto:" handler; "" when none is set or
// xdg-mime is not installed.
QString mailtoHandler();

// The mail program for the settings (Windows-1250, as settings texts are): the
// mailto handler's program under this process's environment; "" when none.
std::string desktopMailProgram();

} // namespace kestrin
