#include "storage/settings.h"

#include "storage/settings_values.h"
#include "text/cp1250.h"
#include "text/date_text.h"

namespace kestrin {
namespace {

// One list of every key, walked by both load and store, so the two cannot
// drift apart in order or spelling. SettingsT is Settings or const Settings.
template <typename SettingsT, typename Visitor> void forEachKey(SettingsT& s, Visitor& v)
{
    v.integer("Options", "Min", s.min);
    v.integer("Options", "Sek", s.sek);
    v.integer("Options", "AccWait", s.accWait);
    v.integer("Options", "AccSkip", s.accSkip);
    v.boolean("Options", "MailCheckInfo", s.mailCheckInfo);
    v.text("Options", "MailCheckSkin", s.mailCheckSkin);
    v.boolean("Options", "MailCheckSound", s.mailCheckSound);
    v.boolean("Options", "MailCheckRunMail", s.mailCheckRunMail);
    v.integer("Options", "Alpha", s.alpha);
    v.boolean("Options", "MailCheckAutoClose", s.mailCheckAutoClose);
    v.text("Options", "MailCheckSample", s.mailCheckSample);
    v.integer("Options", "MailCheckLeft", s.mailCheckLeft);
    v.integer("Options", "MailCheckTop", s.mailCheckTop);
    v.integer("Options", "NormalTrayIcon", s.normalTrayIcon);
    v.integer("Options", "NewMailTrayIcon", s.newMailTrayIcon);
    v.integer("Options", "DefaultTrayAction", s.defaultTrayAction);
    v.text("Options", "Mail", s.mail);
    v.boolean("Options", "RunAtStartup", s.runAtStartup);
    v.boolean("Options", "WABSynch", s.wabSynch);
    v.text("Options", "AddressBookFile", s.addressBookFile);
    v.integer("Options", "AccSortCol", s.accSortCol);
    v.boolean("Options", "AccSortDes", s.accSortDes);
    v.integer("Options", "RegSortCol", s.regSortCol);
    v.boolean("Options", "RegSortDes", s.regSortDes);
    v.integer("Options", "FriSortCol", s.friSortCol);
    v.boolean("Options", "FriSortDes", s.friSortDes);
    v.text("Options", "LastRunDateTime", s.lastRunDateTime);
    v.text("Options", "SMTPHost", s.smtpHost);
    v.text("Options", "SMTPPort", s.smtpPort);
    v.text("Options", "SMTPUser", s.smtpUser);
    v.text("Options", "SMTPPass", s.smtpPass);
    v.text("Options", "SMTPMail", s.smtpMail);
    v.integer("Options", "SMTPSecurity", s.smtpSecurity);
    v.text("Options", "CAFile", s.caFile);
    v.boolean("Options", "SkipNetCheck", s.skipNetCheck);
    v.integer("Options", "NetWait", s.netWait);
    v.integer("Options", "MailWait", s.mailWait);
    v.integer("Options", "MaxRep", s.maxRep);
    v.integer("Options", "MaxMsg", s.maxMsg);
    v.integer("Options", "DelMsgColorR", s.delMsgColorR);
    v.integer("Options", "DelMsgColorG", s.delMsgColorG);
    v.integer("Options", "DelMsgColorB", s.delMsgColorB);
    v.boolean("Options", "ClearRepOnStart", s.clearRepOnStart);
    v.boolean("Options", "ClearArchOnStart", s.clearArchOnStart);
    v.integer("Options", "RepView", s.repView);

    v.counter("Stats", "CheckMsg", s.stats.checkMsg);
    v.counter("Stats", "DelMsg", s.stats.delMsg);
    v.counter("Stats", "Err", s.stats.err);
    v.counter("Stats", "BayAll", s.stats.bayAll);
    v.counter("Stats", "BayDel", s.stats.bayDel);
    v.counter("Stats", "BayList0", s.stats.bayList0);
    v.counter("Stats", "BayList1", s.stats.bayList1);

    v.boolean("BodyCor", "DelHTML", s.delHtml);
    v.boolean("BodyCor", "DelChars", s.delChars);
    v.text("BodyCor", "DelCharsList", s.delCharsList);

    v.boolean("Bayes", "Active", s.bayesActive);
    v.boolean("Bayes", "SafeMode", s.bayesSafeMode);

    v.text("Others", "AdvID", s.advId);
}

// Reads each key over the default already in the member.
struct KeyReader {
    const IniFile& document;

    void integer(const char* section, const char* key, int32_t& value) const
    {
        value = document.readInteger(section, key, value);
    }
    void boolean(const char* section, const char* key, bool& value) const
    {
        value = document.readBool(section, key, value);
    }
    void text(const char* section, const char* key, std::string& value) const
    {
        value = document.readText(section, key, value);
    }
    // Totals are unsigned in memory but were stored by a signed integer
    // writer; the same 32 bits come back either way.
    void counter(const char* section, const char* key, uint32_t& value) const
    {
        value = static_cast<uint32_t>(document.readInteger(section, key, static_cast<int32_t>(value)));
    }
};

struct KeyWriter {
    IniFile& document;

    void integer(const char* section, const char* key, int32_t value) const
    {
        document.writeInteger(section, key, value);
    }
    void boolean(const char* section, const char* key, bool value) const { document.writeBool(section, key, value); }
    void text(const char* section, const char* key, const std::string& value) const
    {
        document.writeText(section, key, value);
    }
    void counter(const char* section, const char* key, uint32_t value) const
    {
        document.writeInteger(section, key, static_cast<int32_t>(value));
    }
};

} // namespace

Settings defaultSettings(const std::string& programFolder, TDateTime now)
{
    Settings settings;
    // Settings texts are Windows-1250 like every stored text; the folder's name
    // comes from the file system in UTF-8 (a folder such as /home/łukasz).
    const std::string folder = utf8ToCp1250(programFolder);
    settings.mailCheckSkin = folder + "/skins/kestrin.ini";
    settings.mailCheckSample = folder + "/data/newmail.wav";
    settings.lastRunDateTime = defaultDateTimeText(now);
    return settings;
}

Settings loadSettings(const IniFile& document, const std::string& programFolder, TDateTime now)
{
    const Settings defaults = defaultSettings(programFolder, now);
    Settings settings = defaults;
    KeyReader reader{document};
    forEachKey(settings, reader);
    settings.mailCheckSkin = skinPathOrDefault(settings.mailCheckSkin, defaults.mailCheckSkin);
    return settings;
}

void storeSettings(const Settings& settings, IniFile& document)
{
    document.writeText("Options", "ConfigVersion", kConfigVersion);
    KeyWriter writer{document};
    forEachKey(settings, writer);
}

std::string settingsFilePath(const std::string& programFolder)
{
    return programFolder + "/config/options.ini";
}

Settings loadSettingsFile(const std::string& programFolder, TDateTime now)
{
    return loadSettings(loadIniFile(settingsFilePath(programFolder)), programFolder, now);
}

void saveSettingsFile(const std::string& programFolder, const Settings& settings)
{
    const std::string path = settingsFilePath(programFolder);
    IniFile document = loadIniFile(path);
    storeSettings(settings, document);
    saveIniFile(path, document);
}

} // namespace kestrin
