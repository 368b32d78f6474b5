#pragma once
// The notification-area pictures are .ico files of the installation's data
// folder: tray0..tray14 (idle and new-mail choices), scan0..scan7 (check
// progress), scan.ico (a check starts) and update.ico (a new version).
#include <QIcon>
#include <QString>

#include <cstdint>
#include <string>

namespace kestrin::ui {

// Shells cut notification-area hints at this many characters.
inline constexpr int kTrayHintLimit = 127;

QString trayIconPath(const std::string& programFolder, int number); // .../data/trayN.ico
QString scanIconPath(const std::string& programFolder, int step);   // .../data/scanK.ico
QString scanStartIconPath(const std::string& programFolder);        // .../data/scan.ico
QString updateIconPath(const std::string& programFolder);           // .../data/update.ico

// The progress picture for a percentage: the number 7 x percent / 100 rounded
// up, so 0 % shows 0, 1-14 % show 1 and only 100 % shows 7. Percentages above
// 100 show 7.
int scanIconNumber(uint8_t percent);

// The icon stored in an .ico file. Throws std::runtime_error (UTF-8, shown in a
// box as it is): the program's sentence naming the file, then on the next
// line what the system or the image reader reported.
QIcon loadIconFile(const QString& path);

// The hint as the tray shows it: at most kTrayHintLimit characters.
QString trayHint(const QString& text);

} // namespace kestrin::ui
