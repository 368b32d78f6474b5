#pragma once
// Reading freedesktop desktop entries (the .desktop files of installed
// programs): finding one by its id and taking the program its Exec key starts.
#include <QString>
#include <QStringList>

namespace kestrin {

// The file of a desktop file id in the applications folders, the first folder
// first; "" when none holds it. As the desktop entry format has it, the id of
// <folder>/kde4/kmail.desktop is "kde4-kmail.desktop".
QString findDesktopFile(const QString& desktopId, const QStringList& applicationFolders);

// The Exec value of the file's [Desktop Entry] group, with the key file's
// escapes (\s, \t, \n, \r, \\) resolved; "" when the file or the key is missing.
QString desktopEntryExec(const QString& filePath);

// The program an Exec value starts: its first argument, with the format's
// double quotes and backslashes undone, field codes (%u, %F, ...) skipped and
// "%%" made "%"; "" when there is none.
QString execProgram(const QString& exec);

} // namespace kestrin
