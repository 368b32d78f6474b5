#pragma once
// Every option the program keeps in config/options.ini, with its type and
// default. List positions stay positions (settings_lists.h gives their
// meaning); texts are Windows-1250 bytes as stored.
#include "storage/counters.h"
#include "storage/ini_file.h"
#include "text/date_time.h"

#include <cstdint>
#include <string>

namespace kestrin {

// Always written first in section "Options"; never read.
inline constexpr const char* kConfigVersion = "1.0.0";

struct Settings {
    // Section "Options"
    int32_t min = 4;     // Min: check interval, minutes part (position; 4 = "5 min")
    int32_t sek = 0;     // Sek: check interval, seconds part (position; 0 = "0 sek")
    int32_t accWait = 0; // AccWait: pause between accounts (position)
    int32_t accSkip = 8; // AccSkip: cycles to skip after a connection failure (position; 8 = "10 cykli")
    bool mailCheckInfo = true;
    std::string mailCheckSkin; // program folder + "/skins/kestrin.ini"
    bool mailCheckSound = true;
    bool mailCheckRunMail = false;
    int32_t alpha = 0; // Alpha: main window translucency (position; 0 = off)
    bool mailCheckAutoClose = false;
    std::string mailCheckSample; // program folder + "/data/newmail.wav"
    int32_t mailCheckLeft = 10;
    int32_t mailCheckTop = 10;
    int32_t normalTrayIcon = 0;
    int32_t newMailTrayIcon = 0;
    int32_t defaultTrayAction = 0; // position
    std::string mail = "C:\\Program Files\\Outlook Express\\msimn.exe";
    bool runAtStartup = false;
    bool wabSynch = false;
    int32_t accSortCol = 0;
    bool accSortDes = false; // true = descending, as the list was at close
    int32_t regSortCol = 0;
    bool regSortDes = false;
    int32_t friSortCol = 0;
    bool friSortDes = false;
    std::string lastRunDateTime; // kept from load to save, otherwise unused
    std::string smtpHost;
    std::string smtpPort = "25";
    std::string smtpUser;
    std::string smtpPass;
    std::string smtpMail;
    int32_t smtpSecurity = 0; // SMTPSecurity: 0 none, 1 TLS from the first byte (465), 2 STARTTLS after EHLO
    // AddressBookFile: the vCard file or folder the friends are imported from; empty = the default book.
    std::string addressBookFile;
    std::string caFile; // CAFile: an extra CA file trusted besides the system store; empty = none
    bool skipNetCheck = false;
    int32_t netWait = 4;  // position; 4 = "5 min"
    int32_t mailWait = 5; // position; 5 = "10 sek"
    int32_t maxRep = 10;  // report limit in tens of entries
    int32_t maxMsg = 30;  // days an archived message is kept
    int32_t delMsgColorR = 192;
    int32_t delMsgColorG = 192;
    int32_t delMsgColorB = 192;
    bool clearRepOnStart = false;
    bool clearArchOnStart = false;
    int32_t repView = 1;

    // Section "Stats"
    StatsTotals stats;

    // Section "BodyCor"
    bool delHtml = false;  // DelHTML
    bool delChars = false; // DelChars
    std::string delCharsList = "!#$%^&*()";

    // Section "Bayes"
    bool bayesActive = true;    // Active
    bool bayesSafeMode = false; // SafeMode

    // Section "Others"
    std::string advId; // AdvID

    bool operator==(const Settings&) const = default;
};

// The defaults; programFolder has no trailing slash, now is the start time.
Settings defaultSettings(const std::string& programFolder, TDateTime now);

// Every key in the order of the file's sections; missing or unreadable values
// take their defaults, positions are taken as they are (not range-checked).
Settings loadSettings(const IniFile& document, const std::string& programFolder, TDateTime now);

// Writes every key in the same order, ConfigVersion first, leaving every other
// line of the document where it is.
void storeSettings(const Settings& settings, IniFile& document);

// programFolder + "/config/options.ini"
std::string settingsFilePath(const std::string& programFolder);

// A missing file gives the defaults; an unreadable one throws EFileError.
Settings loadSettingsFile(const std::string& programFolder, TDateTime now);

// Re-reads the file so that lines written by others since the start are kept,
// stores the settings into it and replaces it atomically. Throws EFileError.
void saveSettingsFile(const std::string& programFolder, const Settings& settings);

} // namespace kestrin
