#pragma once
// The main window's own texts: the boxes of the start, the statistics hint of
// the tray icon and the updater's parameters.
#include "storage/counters.h"

#include <QString>
#include <QStringList>

namespace kestrin::ui {

// The version the updater is told, as the announcement compares it.
inline constexpr const char* kProgramVersion = "0.7.4";

// Where a user without the converter program finds it.
QString productWebAddress(); // "https://kestrin.example.org/"

// The second copy's error box; the long form when the program was started with
// parameters (the rule-update web page starts it with one).
QString secondInstanceText(bool startedWithParameters);

QString oldVersionText();       // "Wykryto starą wersję pliku konfiguracji! ..."
QString converterMissingText(); // "Nie można odnaleźć programu konwertera! Przejdź na stronę " ...

// The tray hint after a cycle, from this run's counters; "\r" is one carriage return.
QString statisticsHint(const RunCounters& counters);

// The parameter text of Update.exe: own version (blanks as "_"), the announced
// version, history and setup texts, separated by blanks, split into the
// arguments a command line of that text gives.
QString updaterParameterText(const QString& version, const QString& history, const QString& setup);
QStringList updaterArguments(const QString& version, const QString& history, const QString& setup);

} // namespace kestrin::ui
