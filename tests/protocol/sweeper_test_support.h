#pragma once
// A recording host, a fake network check and scripted POP3 conversations for
// check-cycle tests. The cycle runs inline on the test thread, as the command
// line runs it.
#include "engine/cycle_changes.h"
#include "engine/sweeper.h"
#include "peers/scripted_server.h"
#include "peers/test_certificates.h"
#include "platform/qt_line_channel_factory.h"
#include "storage/program_data.h"
#include "storage/report_entry.h"
#include "storage/settings.h"
#include "support/rule_records.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kestrin::test {

using Lines = std::vector<std::string>;

// The result flags as letters in a fixed order, for the event lines.
inline std::string flagLetters(ResultFlags flags)
{
    static constexpr std::pair<ResultFlag, char> kLetters[] = {
        {ResultFlag::Checked, 'c'}, {ResultFlag::Deleted, 'd'}, {ResultFlag::Bayes, 'b'}, {ResultFlag::Error, 'e'}};
    std::string letters;
    for (const auto& [flag, letter] : kLetters) {
        if (flags.has(flag))
            letters += letter;
    }
    return letters;
}

// Every step as one UTF-8 line, applied to the data the way a host does.
class RecordingHost : public CycleHost {
public:
    explicit RecordingHost(ProgramData& data) : data_(data) {}

    void status(const std::string& text) override { events.push_back("status " + cp1250ToUtf8(text)); }
    void progress(uint8_t percent) override { events.push_back("progress " + std::to_string(percent)); }
    void result(const CycleResult& result) override
    {
        events.push_back("result " + flagLetters(result.flags) + " " + cp1250ToUtf8(result.reportText));
        bayesWords.push_back(result.bayesWords);
        applyCycleResult(result, data_, newEntryCount);
    }
    void end(const CycleEnd& end) override
    {
        ended = true;
        newMailCount = end.newMailCount;
        senderText = cp1250ToUtf8(end.senderText);
        subjectText = cp1250ToUtf8(end.subjectText);
        applySharedChanges(end.changes, data_);
    }

    Lines statuses() const
    {
        Lines lines;
        for (const auto& event : events) {
            if (event.rfind("status ", 0) == 0)
                lines.push_back(event.substr(7));
        }
        return lines;
    }

    Lines events;
    Lines bayesWords; // per result: the words a later Bayes mark trains
    int newEntryCount = -1;
    bool ended = false;
    uint32_t newMailCount = 0;
    std::string senderText;
    std::string subjectText;

private:
    ProgramData& data_;
};

class FakeInternet : public InternetCheck {
public:
    bool connected() override
    {
        ++polls;
        return answer;
    }
    bool answer = true;
    int polls = 0;
};

inline Lines pop3Login(const std::string& user = "jan", const std::string& password = "tajne")
{
    return {"S: +OK ready", "C: CAPA", "S: -ERR", "C: USER " + user, "S: +OK", "C: PASS " + password, "S: +OK"};
}

inline Lines joined(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// "S: " rows of a message answer, ended by the "." line.
inline Lines messageRows(const Lines& messageLines)
{
    Lines rows;
    for (const auto& line : messageLines)
        rows.push_back("S: " + line);
    rows.push_back("S: .");
    return rows;
}

inline Lines mailMessage(const std::string& id, const std::string& from, const std::string& subject,
                         const std::string& body = "Zwykla tresc wiadomosci testowej")
{
    return {"Message-ID: <" + id + ">",
            "From: " + from,
            "To: jan@example.com",
            "Subject: " + subject,
            "Date: Mon, 06 May 2024 10:00:00 +0200",
            "",
            body};
}

// A program folder, the two memories, a network check and the recorded sleeps.
class CycleFixture : public ::testing::Test {
protected:
    CycleFixture() : host(data)
    {
        data.settings = defaultSettings(folder.path(), 45000.0);
        data.settings.skipNetCheck = true;
    }

    AccountRecord account(const ScriptedServer& server, std::string name = "Konto")
    {
        return account(server.port(), std::move(name));
    }

    // User "jan", password "tajne" on a loopback server.
    static AccountRecord account(uint16_t port, std::string name = "Konto")
    {
        AccountRecord record;
        record.name = std::move(name);
        record.pop3 = "127.0.0.1";
        record.dopo = std::to_string(port);
        record.user = "jan";
        record.pass = "tajne";
        return record;
    }

    CycleOutcome runCycle()
    {
        host.events.clear();
        host.ended = false;
        TSweeper sweeper(takeCycleSnapshot(data),
                         SweeperContext{folder.path(), channels, internet, checked, marked, cancel,
                                        [this](int64_t ms) { sleeps.push_back(ms); }},
                         host);
        return sweeper.run();
    }

    std::vector<std::string> mailFields(size_t reportLine) const
    {
        const ReportEntry entry = splitReportEntry(data.report.at(reportLine));
        return splitMailFields(entry.payload);
    }

    TemporaryFolder folder;
    ProgramData data;
    RecordingHost host;
    QtLineChannelFactory channels;
    FakeInternet internet;
    IdentityMemory checked{kCheckedMemoryCapacity};
    IdentityMemory marked;
    CancelToken cancel;
    std::vector<int64_t> sleeps;
};

} // namespace kestrin::test
