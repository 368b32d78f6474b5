#pragma once
// The installation's data files: their names below the program folder and
// the one routine that writes them all.
#include <QString>

namespace kestrin::artwork {

// Paths below a program folder (or the installed share/kestrin folder), with
// "/" separators: "data/tray3.ico", "skins/kestrin.ini".
QString trayIconFile(int number); // 0-14
QString scanIconFile(int step);   // 0-7
QString scanStartIconFile();      // data/scan.ico
QString updateIconFile();         // data/update.ico
QString newMailSoundFile();       // data/newmail.wav
QString logoFile();               // data/logo.bmp
QString defaultSkinFile();        // skins/kestrin.ini

// folder + "/" + one of the above.
QString inFolder(const QString& folder, const QString& relativeFile);

// Where a program in bin/ finds the data it was built or installed with:
// <executable folder>/../share/kestrin.
QString shippedDataFolder(const QString& executableFolder);

// Writes every file above (and the skin's background picture) below root,
// creating data/ and skins/. Draws text, so it needs a QGuiApplication.
// Returns false and says why in error when a folder or file cannot be written.
bool writeShippedData(const QString& root, QString* error);

} // namespace kestrin::artwork
