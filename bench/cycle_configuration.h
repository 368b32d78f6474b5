#pragma once
// The configuration the cycle benchmarks check a mailbox with: 1000 rules,
// 1000 friends and the Bayes words of marked mailbox and spam messages. Every rule value comes from corpus
// messages that are not in the benchmark's mailbox (the first 2000 easy-ham-1
// messages): held-out easy-ham-1 messages and spam-1, so rules mostly do not
// match, as in everyday use. No rule deletes.
#include "engine/bayes_training.h"
#include "engine/bayes_verdict.h"
#include "engine/top_words.h"
#include "mail/mail_errors.h"
#include "storage/records.h"
#include "text/date_time.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrin::bench {

using kestrin::BayesList;
using kestrin::TIdMessage;

inline constexpr size_t kMailboxMessages = 2000; // the first easy-ham-1 messages: the mailbox
inline constexpr size_t kRules = 1000;
inline constexpr size_t kFriends = 1000;
inline constexpr size_t kRealFriends = 100; // exact addresses of held-out senders; the rest invented

// Messages first to end - 1 (in name order) of a corpus folder that the reader takes.
inline std::vector<TIdMessage> loadMessages(const char* folder, size_t first, size_t end)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KESTRIN_CORPUS_DIR) / folder))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<TIdMessage> messages;
    for (size_t i = first; i < std::min(end, files.size()); ++i) {
        TIdMessage message;
        try {
            message.loadFromFile(files[i].string());
        } catch (const kestrin::EIdException&) {
            continue;
        }
        messages.push_back(std::move(message));
    }
    return messages;
}

// The first n words of a text, cut at blanks.
inline std::string firstWords(const std::string& text, size_t n)
{
    size_t end = 0;
    for (size_t words = 0; words < n; ++words) {
        end = text.find(' ', words == 0 ? 0 : end + 1);
        if (end == std::string::npos)
            return text;
    }
    return text.substr(0, end);
}

// Up to n words of eight letters or more, the distinctive ones of a text; else its longest word.
inline std::string longWords(const std::string& text, size_t n)
{
    std::string result;
    std::string longest;
    size_t taken = 0;
    for (size_t start = 0; start < text.size() && taken < n;) {
        const size_t end = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, end - start);
        if (word.size() >= 8 && word.front() != '[') // not a mailing list's tag
            result += (taken++ ? " " : "") + word;
        if (word.size() > longest.size())
            longest = word;
        start = end + 1;
    }
    return result.empty() ? longest : result;
}

// Four words from the middle of the message's first long line of plain words
// (not markup, rules or list footers): a phrase a user would copy into a rule.
inline std::string bodyPhrase(const TIdMessage& m)
{
    for (const std::string& line : m.Body) {
        if (line.size() < 40 || line.find_first_of("<>=-_*") != std::string::npos)
            continue;
        const size_t middle = line.find(' ', line.size() / 2);
        const std::string phrase = middle == std::string::npos ? line : firstWords(line.substr(middle + 1), 4);
        if (phrase.find_first_not_of(' ') != std::string::npos)
            return phrase;
    }
    return m.From.Address;
}

inline kestrin::RuleRecord rule(size_t i, uint8_t typ, uint8_t sub, std::string value,
                                std::array<bool, 4> actions = {true, false, false, false}) // archive only: no deletion
{
    kestrin::RuleRecord record;
    record.name = "Regula " + std::to_string(i + 1);
    record.typ = typ;
    record.sub = sub;
    record.str = std::move(value);
    record.act = actions;
    return record;
}

// Ten kinds of rule in turn, valued from a spam message each: sender, subject,
// body, name, recipient, size, mailer, charset and subject end.
inline std::vector<kestrin::RuleRecord> rules(const std::vector<TIdMessage>& spam)
{
    static const char* const charsets[] = {"koi8-r", "big5", "gb2312", "ks_c_5601-1987", "windows-1251"};
    std::vector<kestrin::RuleRecord> result;
    for (size_t i = 0; i < kRules; ++i) {
        const TIdMessage& m = spam[(i + i / spam.size()) % spam.size()]; // each kind from other messages

        const std::string subject = m.Subject.empty() ? "bez tematu" : m.Subject;
        switch (i % 10) {
        case 0:
            result.push_back(rule(i, 1, 0, m.From.Address));
            break;
        case 1:
            result.push_back(rule(i, 3, 0, firstWords(subject, 3)));
            break;
        case 2:
            result.push_back(rule(i, 3, 4, longWords(subject + " " + m.From.Name, 3)));
            break;
        case 3:
            result.push_back(rule(i, 4, 0, bodyPhrase(m)));
            break;
        case 4:
            result.push_back(rule(i, 0, 2, m.From.Name.empty() ? m.From.Address : m.From.Name));
            break;
        case 5:
            // Spam is often sent to its own sender; the corpus hides the real recipients.
            result.push_back(rule(i, 2, 2, m.From.Address));
            break;
        case 6:
            result.push_back(rule(i, 5, 0, std::to_string(200 + i % 50)));
            break;
        case 7:
            result.push_back(
                rule(i, 8, 0, m.headerValue("X-Mailer").empty() ? "Bulk Mailer" : m.headerValue("X-Mailer")));
            break;
        case 8:
            result.push_back(rule(i, 7, 0, charsets[i % std::size(charsets)]));
            break;
        default:
            result.push_back(rule(i, 3, 9, subject.substr(subject.size() / 2)));
            break;
        }
    }
    return result;
}

inline std::vector<kestrin::FriendRecord> friends(const std::vector<TIdMessage>& heldOutHam)
{
    std::vector<kestrin::FriendRecord> result;
    for (const TIdMessage& m : heldOutHam) {
        if (result.size() == kRealFriends)
            break;
        const bool known = std::any_of(result.begin(), result.end(),
                                       [&](const kestrin::FriendRecord& f) { return f.mail == m.From.Address; });
        if (!m.From.Address.empty() && !known)
            result.push_back({m.From.Name.empty() ? m.From.Address : m.From.Name, m.From.Address});
    }
    for (size_t i = result.size(); i < kFriends; ++i) {
        const std::string n = std::to_string(i);
        result.push_back({"Kontakt " + n, i % 2 ? "*@firma" + n + ".example.pl" : "osoba" + n + "@poczta.example.com"});
    }
    return result;
}

// The user's marks: every fourth message of the mailbox trains the good table
// and each spam message the spam table, an hour apart; marked counts each kind.
inline std::vector<kestrin::BayesWordRecord>
bayesWords(const std::vector<TIdMessage>& ham, const std::vector<TIdMessage>& spam, kestrin::BayesMessageCounts& marked)
{
    std::vector<kestrin::BayesWordRecord> words;
    kestrin::TDateTime now = kestrin::localNow() - 100;
    for (size_t i = 0; i < std::max(ham.size() / 4, spam.size()); ++i) {
        if (4 * i < ham.size()) {
            kestrin::bayesTrain(words, BayesList::Good, kestrin::bayesMessageText(ham[4 * i], true), now);
            ++marked.good;
        }
        if (i < spam.size()) {
            kestrin::bayesTrain(words, BayesList::Spam, kestrin::bayesMessageText(spam[i], true), now);
            ++marked.spam;
        }
        now += 1.0 / 24;
    }
    return words;
}

struct CycleConfiguration {
    std::vector<TIdMessage> mailbox; // the messages the benchmark's mailbox holds, parsed
    std::vector<RuleRecord> rules;
    std::vector<FriendRecord> friends;
    std::vector<BayesWordRecord> bayesWords;
    kestrin::BayesMessageCounts bayesMarked;
};

inline CycleConfiguration cycleConfiguration()
{
    CycleConfiguration configuration;
    configuration.mailbox = loadMessages("easy-ham-1", 0, kMailboxMessages);
    const std::vector<TIdMessage> ham = loadMessages("easy-ham-1", kMailboxMessages, SIZE_MAX);
    const std::vector<TIdMessage> spam = loadMessages("spam-1", 0, SIZE_MAX);
    configuration.rules = rules(spam);
    configuration.friends = friends(ham);
    configuration.bayesWords = bayesWords(configuration.mailbox, spam, configuration.bayesMarked);
    return configuration;
}

} // namespace kestrin::bench
