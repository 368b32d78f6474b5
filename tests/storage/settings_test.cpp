#include "storage/atomic_file.h"
#include "storage/settings.h"
#include "storage/settings_lists.h"
#include "storage/settings_values.h"
#include "text/cp1250.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kestrin {
namespace {

const std::string kHome = "/opt/kestrin";
const TDateTime kNow = encodeDateTime({2025, 3, 7, 14, 5, 9, 0});

Settings loadText(const std::string& text)
{
    return loadSettings(IniFile::parse(text), kHome, kNow);
}

// Every value differs from its default, so a key that is read or written under
// the wrong name, type or member cannot round-trip.
Settings changedSettings()
{
    Settings s = defaultSettings(kHome, kNow);
    s.min = 23;
    s.sek = 3;
    s.accWait = 11;
    s.accSkip = 13;
    s.mailCheckInfo = false;
    s.mailCheckSkin = "/home/u/skins/blue.ini";
    s.mailCheckSound = false;
    s.mailCheckRunMail = true;
    s.alpha = 5;
    s.mailCheckAutoClose = true;
    s.mailCheckSample = "/home/u/ding.wav";
    s.mailCheckLeft = -20;
    s.mailCheckTop = 700;
    s.normalTrayIcon = 14;
    s.newMailTrayIcon = 3;
    s.defaultTrayAction = 2;
    s.mail = "/usr/bin/thunderbird";
    s.runAtStartup = true;
    s.wabSynch = true;
    s.accSortCol = 1;
    s.accSortDes = true;
    s.regSortCol = 2;
    s.regSortDes = true;
    s.friSortCol = 3;
    s.friSortDes = true;
    s.lastRunDateTime = "2001-02-03 04:05:06";
    s.smtpHost = "smtp.example.pl";
    s.smtpPort = "587";
    s.smtpUser = "pawe\xB3"; // "paweł" in Windows-1250
    s.smtpPass = "tajne has\xB3o";
    s.smtpMail = "pawel@example.pl";
    s.smtpSecurity = 2;
    s.caFile = "/home/u/ca.pem";
    s.skipNetCheck = true;
    s.netWait = 19;
    s.mailWait = 15;
    s.maxRep = 25;
    s.maxMsg = 100;
    s.delMsgColorR = 1;
    s.delMsgColorG = 2;
    s.delMsgColorB = 3;
    s.clearRepOnStart = true;
    s.clearArchOnStart = true;
    s.repView = 0;
    s.stats = {1, 2, 3, 4, 5, 6, 4000000000u};
    s.delHtml = true;
    s.delChars = true;
    s.delCharsList = "@";
    s.bayesActive = false;
    s.bayesSafeMode = true;
    s.advId = "ad-17";
    return s;
}

TEST(SettingsLoad, AMissingFileGivesEveryDefault)
{
    const std::string home =
        (std::filesystem::temp_directory_path() / ("kestrin-settings-missing-" + std::to_string(::getpid()))).string();
    const Settings s = loadSettingsFile(home, kNow);
    EXPECT_EQ(s, defaultSettings(home, kNow));
    EXPECT_EQ(checkIntervalMs(s.min, s.sek), 5 * 60000);           // every 5 minutes
    EXPECT_EQ(itemNumber(SettingsList::MailWait, s.mailWait), 10); // 10-second timeouts
    EXPECT_EQ(s.maxRep * 10, 100);                                 // report limit 100 entries
    EXPECT_EQ(itemNumber(SettingsList::AccSkip, s.accSkip), 10);
    EXPECT_EQ(itemNumber(SettingsList::NetWait, s.netWait), 5);
    EXPECT_EQ(s.mailCheckSkin, home + "/skins/kestrin.ini");
    EXPECT_EQ(s.mailCheckSample, home + "/data/newmail.wav");
    EXPECT_EQ(s.lastRunDateTime, "2025-03-07 14:05:09");
    EXPECT_EQ(s.mail, "C:\\Program Files\\Outlook Express\\msimn.exe");
    EXPECT_EQ(s.smtpPort, "25");
    EXPECT_EQ(s.smtpSecurity, 0); // plain SMTP unless the user asks for TLS
    EXPECT_EQ(s.caFile, "");
    EXPECT_EQ(s.delCharsList, "!#$%^&*()");
    EXPECT_EQ(colorFromParts(s.delMsgColorR, s.delMsgColorG, s.delMsgColorB), 0xC0C0C0u); // silver
    EXPECT_TRUE(s.mailCheckInfo && s.mailCheckSound && s.bayesActive);
    EXPECT_FALSE(s.mailCheckRunMail || s.bayesSafeMode || s.delHtml || s.clearRepOnStart);
    EXPECT_EQ(s.repView, 1);
    EXPECT_EQ(s.stats, StatsTotals{});
    EXPECT_FALSE(std::filesystem::exists(home)); // loading creates nothing
}

TEST(SettingsLoad, ReadsKeysWhateverTheirCaseAndFallsBackPerKey)
{
    const Settings s = loadText("[options]\r\n"
                                "MIN=0\r\n"
                                "sek = 3\r\n"
                                "mailcheckskin=C:\\skins\\old.bmp\r\n"
                                "MailCheckSound=True\r\n" // not a number: default (on)
                                "MailCheckInfo=0\r\n"
                                "MailCheckRunMail=2\r\n" // any non-zero integer is on
                                "AccSkip=99\r\n"         // out of the list: kept as it is
                                "Alpha=-3\r\n"
                                "MaxRep=ten\r\n" // malformed: default
                                "MailWait=\r\n"
                                "smtpuser=\r\n" // present but empty stays empty
                                "delmsgcolorr=255\r\ndelmsgcolorg=0\r\ndelmsgcolorb=0\r\n"
                                "Min=9\r\n" // a second Min is never read
                                "[STATS]\r\ncheckmsg=17\r\nBayList1=-1\r\n"
                                "[bodycor]\r\ndelhtml=1\r\nDelCharsList=\xB9\xE6\r\n"
                                "[BAYES]\r\nACTIVE=0\r\n"
                                "[others]\r\nadvid=x9\r\n");
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.sek, 3);
    EXPECT_EQ(checkIntervalMs(s.min, s.sek), 90000); // "1 min" + "30 sek"
    EXPECT_EQ(s.mailCheckSkin, kHome + "/skins/kestrin.ini");
    EXPECT_TRUE(s.mailCheckSound);
    EXPECT_FALSE(s.mailCheckInfo);
    EXPECT_TRUE(s.mailCheckRunMail);
    EXPECT_EQ(s.accSkip, 99);
    EXPECT_EQ(s.alpha, -3);
    EXPECT_EQ(s.maxRep, 10);
    EXPECT_EQ(s.mailWait, 5);
    EXPECT_EQ(s.smtpUser, "");
    EXPECT_EQ(colorFromParts(s.delMsgColorR, s.delMsgColorG, s.delMsgColorB), 0x0000FFu); // pure red
    EXPECT_EQ(s.stats.checkMsg, 17u);
    EXPECT_EQ(s.stats.bayList1, 0xFFFFFFFFu);
    EXPECT_TRUE(s.delHtml);
    EXPECT_EQ(s.delCharsList, "\xB9\xE6");
    EXPECT_FALSE(s.bayesActive);
    EXPECT_EQ(s.advId, "x9");
}

TEST(SettingsStore, EveryKeyRoundTripsThroughTheFile)
{
    const Settings changed = changedSettings();
    IniFile document;
    storeSettings(changed, document);
    EXPECT_EQ(loadSettings(IniFile::parse(document.serialize()), kHome, kNow), changed);

    const std::string text = document.serialize();
    EXPECT_EQ(text.rfind("[Options]\r\nConfigVersion=1.0.0\r\nMin=23\r\nSek=3\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nSMTPUser=pawe\xB3\r\n"), std::string::npos);   // Windows-1250 bytes untouched
    EXPECT_NE(text.find("\r\nBayList1=-294967296\r\n"), std::string::npos); // the signed form of 4000000000
    // Sections in the file's order, each once.
    size_t at = 0;
    for (const char* header : {"[Options]", "[Stats]", "[BodyCor]", "[Bayes]", "[Others]"}) {
        const size_t found = text.find(header, at);
        ASSERT_NE(found, std::string::npos) << header;
        at = found;
    }
}

TEST(SettingsStore, TlsKeysFollowSmtpMailAndAnOlderFileLoadsWithoutThem)
{
    IniFile document;
    storeSettings(changedSettings(), document);
    const std::string text = document.serialize();
    EXPECT_NE(text.find("\r\nSMTPMail=pawel@example.pl\r\nSMTPSecurity=2\r\nCAFile=/home/u/ca.pem\r\nSkipNetCheck="),
              std::string::npos);

    // A file written before the keys existed keeps plain SMTP and no extra CA.
    const Settings old = loadText("[Options]\r\nSMTPHost=smtp.example.pl\r\nSMTPMail=a@b.pl\r\n");
    EXPECT_EQ(old.smtpHost, "smtp.example.pl");
    EXPECT_EQ(old.smtpSecurity, 0);
    EXPECT_EQ(old.caFile, "");
    const Settings implicitTls = loadText("[Options]\r\nsmtpsecurity=1\r\ncafile=/etc/ssl/x.pem\r\n");
    EXPECT_EQ(implicitTls.smtpSecurity, 1);
    EXPECT_EQ(implicitTls.caFile, "/etc/ssl/x.pem");
}

TEST(SettingsStore, UnknownLinesStayInPlaceByteForByte)
{
    // A file that already holds every key with the values being stored comes
    // back exactly as it was: case, spacing, comments, unknown keys and all.
    IniFile full;
    storeSettings(changedSettings(), full);
    std::string original = "; written by hand\r\n[Extra]\r\nkeep=\xA5 me \r\n" + full.serialize();
    original.replace(original.find("Min=23"), 6, "mIN = 23");
    original.replace(original.find("[Stats]"), 7, "[stats]  ; totals");
    original.insert(original.find("[Bayes]"), "Unknown=1\r\n  odd line without equals\r\n\r\n");
    const Settings loaded = loadSettings(IniFile::parse(original), kHome, kNow);
    EXPECT_EQ(loaded, changedSettings());
    IniFile document = IniFile::parse(original);
    storeSettings(loaded, document);
    EXPECT_EQ(document.serialize(), original);

    // A sparse file gains the missing keys after its own lines of each section.
    IniFile sparse = IniFile::parse("[Options]\nMin=2\n;c\n[Zzz]\nq=\xE6\n");
    storeSettings(defaultSettings(kHome, kNow), sparse);
    const std::string text = sparse.serialize();
    EXPECT_EQ(text.rfind("[Options]\r\nMin=4\r\nConfigVersion=1.0.0\r\nSek=0\r\n", 0), 0u);
    EXPECT_NE(text.find("RepView=1\r\n;c\r\n[Zzz]\r\nq=\xE6\r\n\r\n[Stats]\r\n"), std::string::npos);
}

TEST(SettingsFile, SaveKeepsOtherLinesAndAFailedSaveKeepsTheOldFile)
{
    const std::string home =
        (std::filesystem::temp_directory_path() / ("kestrin-settings-save-" + std::to_string(::getpid()))).string();
    std::filesystem::remove_all(home);
    saveSettingsFile(home, defaultSettings(home, kNow)); // creates config/
    const std::string path = settingsFilePath(home);
    EXPECT_EQ(path, home + "/config/options.ini");
    writeFileAtomically(path, "[Mine]\r\nx=1\r\n" + readWholeFile(path));
    saveSettingsFile(home, changedSettings());
    const std::string saved = readWholeFile(path);
    EXPECT_EQ(saved.rfind("[Mine]\r\nx=1\r\n", 0), 0u);
    EXPECT_EQ(loadSettingsFile(home, kNow), changedSettings());

    setBeforeRenameHookForTests([](const std::string&) { throw EFileError("simulated crash"); });
    EXPECT_THROW(saveSettingsFile(home, defaultSettings(home, kNow)), EFileError);
    setBeforeRenameHookForTests(nullptr);
    EXPECT_EQ(readWholeFile(path), saved);
    std::filesystem::remove_all(home);
}

TEST(SettingsValues, SortStateComesBackAsItWasSaved)
{
    // A list sorted descending by its second column, saved at close...
    Settings closing = defaultSettings(kHome, kNow);
    SortState live = sortStateAfterClick({}, 1);
    live = sortStateAfterClick(live, 1);
    ASSERT_EQ(live, (SortState{1, true}));
    closing.accSortCol = live.column;
    closing.accSortDes = live.descending;
    IniFile document;
    storeSettings(closing, document);
    // ...is held inverted before the restoring click, and the click restores it.
    const Settings starting = loadSettings(IniFile::parse(document.serialize()), kHome, kNow);
    EXPECT_EQ(sortStateBeforeRestore(starting.accSortCol, starting.accSortDes), (SortState{1, false}));
    EXPECT_EQ(restoredSortState(starting.accSortCol, starting.accSortDes), (SortState{1, true}));
    EXPECT_EQ(restoredSortState(0, false), (SortState{0, false}));
    EXPECT_EQ(restoredSortState(3, false), (SortState{3, false}));
    EXPECT_EQ(sortStateAfterClick({2, true}, 0), (SortState{0, false})); // another column starts ascending
}

TEST(SettingsValues, ColourSkinAndOpacity)
{
    EXPECT_EQ(colorFromParts(255, 0, 0), 255u);
    EXPECT_EQ(colorFromParts(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(colorFromParts(300, -5, 256), 0xFF00FFu); // each part held to a byte
    const ColorParts parts = partsOfColor(0x00563412u);
    EXPECT_EQ(parts.red, 0x12);
    EXPECT_EQ(parts.green, 0x34);
    EXPECT_EQ(parts.blue, 0x56);
    EXPECT_EQ(partsOfColor(0xFF000000u).blue, 0);

    EXPECT_EQ(skinPathOrDefault("/x/skins/a.bmp", "/d.ini"), "/d.ini");
    EXPECT_EQ(skinPathOrDefault("", "/d.ini"), "/d.ini");
    EXPECT_EQ(skinPathOrDefault("/x/blue.ini", "/d.ini"), "/x/blue.ini");
    EXPECT_EQ(skinPathOrDefault("/x/BLUE.INI", "/d.ini"), "/d.ini"); // the ".ini" test is exact

    EXPECT_EQ(windowOpacity(0), std::nullopt);
    const int32_t expected[] = {229, 204, 179, 153, 127, 102, 77, 51, 25};
    for (int32_t position = 1; position <= 9; ++position)
        EXPECT_EQ(windowOpacity(position), expected[position - 1]) << position;
    EXPECT_EQ(windowOpacity(10), std::nullopt);
    EXPECT_EQ(windowOpacity(-1), std::nullopt);
}

TEST(SettingsLists, ItemTextsAndTheNumbersTakenFromThem)
{
    const std::pair<SettingsList, size_t> sizes[] = {{SettingsList::Min, 24},     {SettingsList::Sek, 7},
                                                     {SettingsList::AccWait, 12}, {SettingsList::AccSkip, 14},
                                                     {SettingsList::NetWait, 20}, {SettingsList::MailWait, 16},
                                                     {SettingsList::Alpha, 10},   {SettingsList::DefaultTrayAction, 4}};
    for (const auto& [list, size] : sizes)
        EXPECT_EQ(listItems(list).size(), size) << static_cast<int>(list);
    EXPECT_EQ(listItems(SettingsList::Min)[defaultPosition(SettingsList::Min)], "5 min");
    EXPECT_EQ(listItems(SettingsList::Min)[10], "15 min");
    EXPECT_EQ(listItems(SettingsList::Min)[23], "300 min");
    EXPECT_EQ(listItems(SettingsList::Sek)[6], "60 sek");
    EXPECT_EQ(listItems(SettingsList::AccWait)[6], "10 sek");
    EXPECT_EQ(listItems(SettingsList::AccSkip)[2], "4 cykle");
    EXPECT_EQ(listItems(SettingsList::AccSkip)[3], "5 cykli");
    EXPECT_EQ(listItems(SettingsList::AccSkip)[defaultPosition(SettingsList::AccSkip)], "10 cykli");
    EXPECT_EQ(listItems(SettingsList::AccSkip)[13], "100 cykli");
    EXPECT_EQ(listItems(SettingsList::NetWait)[19], "60 min");
    EXPECT_EQ(listItems(SettingsList::MailWait)[defaultPosition(SettingsList::MailWait)], "10 sek");
    EXPECT_EQ(listItems(SettingsList::Alpha)[0], "0% (opcja wy\xB3\xB9"
                                                 "czona)");
    EXPECT_EQ(listItems(SettingsList::Alpha)[9], "90%");
    EXPECT_EQ(listItems(SettingsList::DefaultTrayAction)[0], winLiteral("Pokaż okno programu"));
    EXPECT_EQ(listItems(SettingsList::DefaultTrayAction)[3], winLiteral("Pokaż zarchiwizowane wiadomości"));

    EXPECT_EQ(checkIntervalMs(0, 3), 90000);
    EXPECT_EQ(checkIntervalMs(23, 0), 18000000);
    EXPECT_EQ(checkIntervalMs(-1, 7), 300000); // both outside their lists: the default 5 min + 0 sek
    EXPECT_EQ(itemNumber(SettingsList::AccSkip, 14), 10);
    EXPECT_EQ(itemNumber(SettingsList::Alpha, 3), 30);
    EXPECT_EQ(itemNumber(SettingsList::DefaultTrayAction, 1), 0);
}

// Every text, byte for byte, as the Windows program's lists showed them: the
// stored positions mean these items.
TEST(SettingsLists, TextsComeFromTheValuesAndUnits)
{
    const std::pair<SettingsList, std::string> lists[] = {
        {SettingsList::Min, "1 min|2 min|3 min|4 min|5 min|6 min|7 min|8 min|9 min|10 min|15 min|20 min|25 min|"
                            "30 min|35 min|40 min|45 min|50 min|55 min|60 min|120 min|180 min|240 min|300 min"},
        {SettingsList::Sek, "0 sek|10 sek|20 sek|30 sek|40 sek|50 sek|60 sek"},
        {SettingsList::AccWait, "0 sek|1 sek|2 sek|3 sek|4 sek|5 sek|10 sek|20 sek|30 sek|40 sek|50 sek|60 sek"},
        {SettingsList::AccSkip, "2 cykle|3 cykle|4 cykle|5 cykli|6 cykli|7 cykli|8 cykli|9 cykli|10 cykli|20 cykli|"
                                "30 cykli|40 cykli|50 cykli|100 cykli"},
        {SettingsList::NetWait, "1 min|2 min|3 min|4 min|5 min|6 min|7 min|8 min|9 min|10 min|15 min|20 min|25 min|"
                                "30 min|35 min|40 min|45 min|50 min|55 min|60 min"},
        {SettingsList::MailWait, "1 sek|2 sek|3 sek|4 sek|5 sek|10 sek|15 sek|20 sek|25 sek|30 sek|35 sek|40 sek|"
                                 "45 sek|50 sek|55 sek|60 sek"},
        {SettingsList::Alpha, winLiteral("0% (opcja wyłączona)|10%|20%|30%|40%|50%|60%|70%|80%|90%")},
        {SettingsList::DefaultTrayAction, winLiteral("Pokaż okno programu|Uruchom program pocztowy|"
                                                     "Sprawdź konta pocztowe|Pokaż zarchiwizowane wiadomości")},
    };
    for (const auto& [list, expected] : lists) {
        std::string joined;
        for (const std::string& text : listItems(list))
            joined += (joined.empty() ? "" : "|") + text;
        EXPECT_EQ(joined, expected) << static_cast<int>(list);
    }
}

TEST(SettingsLists, StoredPositionsGiveTheirValues)
{
    struct Case {
        SettingsList list;
        int32_t position;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {SettingsList::Min, 0, 1},
        {SettingsList::Min, 23, 300},
        {SettingsList::Min, 24, std::nullopt},
        {SettingsList::Sek, 6, 60},
        {SettingsList::AccWait, 6, 10},
        {SettingsList::AccSkip, 0, 2},
        {SettingsList::AccSkip, 13, 100},
        {SettingsList::NetWait, 19, 60},
        {SettingsList::MailWait, 5, 10},
        {SettingsList::Alpha, 0, 0},
        {SettingsList::Alpha, 9, 90},
        {SettingsList::Sek, -1, std::nullopt},
        {SettingsList::DefaultTrayAction, 2, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(positionValue(c.list, c.position), c.value) << static_cast<int>(c.list) << " @ " << c.position;
}

} // namespace
} // namespace kestrin

namespace kestrin {
namespace {

TEST(SettingsDefaults, PathsInAFolderWithPolishLettersAreStoredAsWindows1250)
{
    const Settings s = defaultSettings("/home/\xC5\x82ukasz", TDateTime{}); // "łukasz" in UTF-8
    EXPECT_EQ(s.mailCheckSkin, "/home/\xB3ukasz/skins/kestrin.ini");
    EXPECT_EQ(cp1250ToUtf8(s.mailCheckSample), "/home/\xC5\x82ukasz/data/newmail.wav");
}

} // namespace
} // namespace kestrin
