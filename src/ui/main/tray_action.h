#pragma once
// What a double click on the tray icon does: the "DefaultTrayAction" list's
// positions, in order. The tray menu's default item shows the action's caption
// and glyph and runs its command.
#include <QString>

namespace kestrin::ui {

enum class TrayAction { None = -1, ShowWindow = 0, RunMail = 1, CheckNow = 2, ShowArchive = 3 };

// The action of a stored list position; None for a position outside the list.
TrayAction trayActionAt(int position);
// The glyph the menu item shows for the action (-1 for None).
int trayActionGlyph(TrayAction action);
// The list's text for the action, as the settings window shows it.
QString trayActionCaption(TrayAction action);

} // namespace kestrin::ui
