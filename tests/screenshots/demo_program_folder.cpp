#include "demo_program_folder.h"

#include "engine/cycle_texts.h"
#include "platform/program_folder.h"
#include "storage/record_tables.h"
#include "storage/report_entry.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/cp1250.h"
#include "text/date_text.h"
#include "text/date_time.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace kestrin::shots {
namespace {

namespace fs = std::filesystem;

// Fixed dates, so every run draws the same data.
TDateTime demoTime(int day, int hour, int minute)
{
    return encodeDateTime(CivilDateTime{2025, 3, day, hour, minute, 0, 0});
}

AccountRecord account(const char* name, const char* user, const char* port, const char* ssl)
{
    AccountRecord record;
    record.name = winLiteral(name);
    record.pop3 = "127.0.0.1";
    record.smtp = "127.0.0.1";
    record.dopo = port;
    record.user = user;
    record.pass = "demo";
    record.ssl = ssl;
    return record;
}

std::vector<AccountRecord> demoAccounts()
{
    return {account("Praca", "jan.kowalski", "11110", "0"), account("Dom", "kowalscy", "11995", "1"),
            account("Sklep internetowy", "sklep", "11111", "2")};
}

// typ: 1 sender, 3 subject, 4 body, 5 size; sub: the condition code.
RuleRecord rule(const char* name, uint8_t typ, uint8_t sub, const char* text, uint32_t hits, bool keepFromFriends)
{
    RuleRecord record;
    record.name = winLiteral(name);
    record.typ = typ;
    record.sub = sub;
    record.str = winLiteral(text);
    record.stat = hits;
    record.nofri = keepFromFriends;
    return record;
}

std::vector<RuleRecord> demoRules()
{
    std::vector<RuleRecord> rules = {
        rule("Reklamy i promocje", 3, 5, "promocja rabat wyprzedaż", 42, true),
        rule("Łańcuszki szczęścia", 4, 0, "prześlij dalej", 7, true),
        rule("Zaproszenia na webinaria", 3, 0, "webinar", 12, false),
        rule("Duże załączniki", 5, 0, "5000", 3, true),
        rule("Fałszywe faktury", 1, 0, "faktury@", 9, false),
        rule("Kasyna i zakłady", 4, 5, "kasyno bonus zakład", 21, true),
        // Two rules the similar-rule search finds covered.
        rule("Webinaria na żywo", 3, 0, "webinar na żywo", 0, false),
        rule("Bardzo duże załączniki", 5, 0, "8000", 1, true),
    };
    // One rule archives without deleting.
    rules[4].act = {true, false, false, false};
    return rules;
}

std::vector<FriendRecord> demoFriends()
{
    const char* people[][2] = {{"Zofia Wójcik", "zofia.wojcik@example.org"},
                               {"Łukasz Żmuda", "lukasz@zmuda.example.net"},
                               {"Małgorzata Kęsik", "m.kesik@example.com"},
                               {"Grzegorz Brzęczyszczykiewicz", "grzegorz@example.pl"},
                               {"Biuro rachunkowe", "biuro@rachunki.example.pl"}};
    std::vector<FriendRecord> friends;
    for (const auto& person : people)
        friends.push_back({winLiteral(person[0]), person[1]});
    return friends;
}

std::vector<BayesWordRecord> demoBayesWords()
{
    const std::string used = defaultDateTimeText(demoTime(10, 8, 30));
    std::vector<BayesWordRecord> words;
    for (const char* good : {"spotkanie", "projekt", "faktura", "umowa", "obiad"})
        words.push_back({winLiteral(good), 0, 3, used});
    for (const char* spam : {"darmowy", "wygrałeś", "kasyno", "promocja", "kredyt", "viagra"})
        words.push_back({winLiteral(spam), 1, 5, used});
    return words;
}

Settings demoSettings(const std::string& programFolder)
{
    Settings settings = defaultSettings(programFolder, demoTime(13, 8, 0));
    settings.min = 9;               // "10 min"
    settings.sek = 3;               // "30 sek"
    settings.defaultTrayAction = 2; // "Sprawdź konta pocztowe"
    settings.normalTrayIcon = 3;
    settings.newMailTrayIcon = 7;
    settings.alpha = 0; // transparency off
    settings.addressBookFile = programFolder + "/kontakty.vcf";
    settings.stats.checkMsg = 1284;
    settings.stats.delMsg = 311;
    settings.stats.err = 7;
    settings.stats.bayAll = 40;
    settings.stats.bayList0 = 28;
    settings.stats.bayList1 = 12;
    settings.stats.bayDel = 96;
    settings.mailCheckAutoClose = true;
    settings.mail = kDemoMailProgram;
    settings.smtpHost = "smtp.poczta.example.pl";
    settings.smtpPort = "587";
    settings.smtpSecurity = 2;
    settings.smtpUser = "jan.kowalski";
    settings.smtpPass = "demo";
    settings.smtpMail = "jan.kowalski@poczta.example.pl";
    settings.skipNetCheck = true;
    settings.maxRep = 15;
    settings.maxMsg = 45;
    settings.delMsgColorR = 255;
    settings.delMsgColorG = 200;
    settings.delMsgColorB = 200;
    settings.clearArchOnStart = true;
    return settings;
}

std::string mailEntry(const char* id, TDateTime date, const char* actions, const char* cause, const char* account,
                      const char* senderName, const char* senderAddress, const char* subject, int64_t size,
                      const char* deleteMark, const char* bayesMark)
{
    const std::vector<std::string> fields = {id,
                                             dateText(date),
                                             actions,
                                             winLiteral(cause),
                                             winLiteral(account),
                                             winLiteral(senderName),
                                             senderAddress,
                                             winLiteral(subject),
                                             mailSizeText(size),
                                             winLiteral("spotkanie projekt umowa"),
                                             deleteMark,
                                             bayesMark};
    return buildReportEntry(kReportKindMail, joinMailFields(fields));
}

// Newest first, as the report file keeps them.
std::vector<std::string> demoReport()
{
    return {
        runEntry(demoTime(13, 8, 0)),
        mailEntry("<a1@example.org>", demoTime(13, 7, 55), "", "-", "Praca", "Zofia Wójcik", "zofia.wojcik@example.org",
                  "Spotkanie w czwartek o 10:00", 4200, "0", "0"),
        mailEntry("<ad7@promo.example.com>", demoTime(13, 7, 41), "ad", "Reklamy i promocje", "Dom", "Wielka Wyprzedaż",
                  "oferty@promo.example.com", "Promocja! Rabat 70% tylko dziś", 18500, "0", "0"),
        mailEntry("<m3@example.net>", demoTime(13, 7, 30), "", "-", "Sklep internetowy", "Klient", "klient@example.net",
                  "Pytanie o zamówienie nr 1234", 2100, "1", "2"),
        mailEntry("<r4@example.org>", demoTime(13, 7, 22), "sr", "-", "Praca", "Jan Kowalski",
                  "jan.kowalski@example.org",
                  "Re: Raport kwartalny - poprawiona wersja z tabelami i wykresami dla zarządu", 96400, "0", "1"),
        mailEntry("<b5@spam.example.biz>", demoTime(13, 7, 10), "ad", "(Filtr Bayesa)", "Dom", "Lucky Winner",
                  "winner@spam.example.biz", "You have won!!!", 3300, "0", "0"),
        buildReportEntry(kReportKindError,
                         connectionFailedReport(winLiteral("Sklep internetowy"), "127.0.0.1", "Connection refused")),
        runEntry(demoTime(12, 18, 20)),
    };
}

// A small exported address book, so the import's question has contacts to name.
void writeDemoAddressBook(const std::string& path)
{
    const char* const people[][2] = {{"Anna Kowalska", "anna.kowalska@example.pl"},
                                     {"Paweł Wiśniewski", "pawel@example.com"},
                                     {"Małgorzata Zając", "gosia.zajac@example.org"},
                                     {"Tomasz Lewandowski", "tomek@example.net"}};
    std::ofstream out(path, std::ios::binary);
    for (const auto& person : people)
        out << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" << person[0] << "\r\nEMAIL;TYPE=INTERNET:" << person[1]
            << "\r\nEND:VCARD\r\n";
}

} // namespace

std::string builtShippedDataFolder()
{
#ifdef KESTRIN_BUILD_DIR
    const fs::path folder = fs::path(KESTRIN_BUILD_DIR) / "share" / "kestrin";
#else
    const fs::path folder = shippedDataFolder();
#endif
    std::error_code error;
    return fs::is_regular_file(folder / "data" / "tray0.ico", error) ? folder.string() : std::string();
}

void writeDemoProgramFolder(const std::string& programFolder, const std::string& shippedFolder)
{
    installShippedData(programFolder, shippedFolder);
    saveAccounts(programFolder, demoAccounts());
    saveRules(programFolder, demoRules());
    saveFriends(programFolder, demoFriends());
    saveBayesWords(programFolder, demoBayesWords());
    saveSettingsFile(programFolder, demoSettings(programFolder));
    writeDemoAddressBook(programFolder + "/kontakty.vcf");
    saveReportFile(reportFilePath(programFolder), demoReport());
}

} // namespace kestrin::shots
