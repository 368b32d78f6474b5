#pragma once
// The one codec pair between the program's Windows-1250 data and the
// windows' QString; interface literals in the source are UTF-8.
#include <QString>

#include <string>

namespace kestrin::ui {

QString fromWin1250(const std::string& bytes);
// Characters Windows-1250 cannot hold become "?".
std::string toWin1250(const QString& text);

} // namespace kestrin::ui
