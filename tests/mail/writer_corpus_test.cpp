#include "mail/mail_errors.h"
#include "mail/message_writer.h"
#include "support/corpus_files.h"
#include "text/ascii_case.h"
#include "writer_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

// The text form of an address leaves out a display name that only repeats the
// address, so such a name is not expected back.
std::string expectedName(const TIdEMailAddressItem& item)
{
    return equalsIgnoreCase(item.Name, item.Address) ? std::string() : item.Name;
}

bool sameAddresses(const TIdEMailAddressList& a, const TIdEMailAddressList& b)
{
    if (a.count() != b.count())
        return false;
    for (size_t i = 0; i < a.count(); ++i) {
        if (expectedName(a[i]) != b[i].Name || a[i].Address != b[i].Address)
            return false;
    }
    return true;
}

// What differs between a message and its saved-and-loaded copy; empty when nothing does.
std::string difference(const TIdMessage& a, const TIdMessage& b)
{
    if (a.Subject != b.Subject)
        return "subject";
    if (expectedName(a.From) != b.From.Name || a.From.Address != b.From.Address)
        return "sender";
    if (!sameAddresses(a.Recipients, b.Recipients) || !sameAddresses(a.ccList, b.ccList))
        return "recipients";
    if (a.Body != b.Body)
        return "body";
    if (a.parts.size() != b.parts.size())
        return "part count";
    for (size_t i = 0; i < a.parts.size(); ++i) {
        if (a.parts[i].kind != b.parts[i].kind || a.parts[i].lines != b.parts[i].lines)
            return "text part " + std::to_string(i);
        if (a.parts[i].data != b.parts[i].data)
            return "attachment " + std::to_string(i);
    }
    return {};
}

bool hasRepeatedName(const TIdEMailAddressList& list)
{
    return std::any_of(list.items.begin(), list.items.end(),
                       [](const TIdEMailAddressItem& item) { return item.Name != expectedName(item); });
}

struct Tally {
    size_t files = 0;
    size_t repeatedNames = 0; // messages that needed the repeated-name rule above
    size_t unreadable = 0;    // the reader itself refuses the original
    size_t passed = 0;
    std::vector<std::string> failures;
};

Tally roundTripFolder(const fs::path& folder)
{
    Tally tally;
    const std::vector<fs::path> files = test::corpusFiles(folder);
    for (const auto& file : files) {
        ++tally.files;
        TIdMessage original;
        try {
            original.loadFromFile(file.string());
        } catch (const EIdException&) {
            ++tally.unreadable;
            continue;
        }
        tally.repeatedNames += original.From.Name != expectedName(original.From) ||
                               hasRepeatedName(original.Recipients) || hasRepeatedName(original.ccList);
        std::string diff;
        try {
            diff = difference(original, test::savedAndLoaded(original));
        } catch (const std::exception& e) {
            diff = std::string("error: ") + e.what();
        }
        if (diff.empty())
            ++tally.passed;
        else
            tally.failures.push_back(file.filename().string() + ": " + diff);
    }
    return tally;
}

// Every message of the corpus, loaded, saved and loaded again, keeps its
// subject, sender, recipients, body, text part lines and attachment bytes.
TEST(WriterCorpus, SaveAndLoadKeepsEveryRealMessage)
{
    const fs::path root = KESTRIN_CORPUS_DIR;
    if (!fs::is_directory(root / "easy-ham-1"))
        GTEST_SKIP() << "corpus not present at " << root;
    for (const char* folder : {"easy-ham-1", "spam-1"}) {
        const Tally tally = roundTripFolder(root / folder);
        std::cout << folder << ": " << tally.passed << " of " << tally.files - tally.unreadable
                  << " round trips identical (" << tally.unreadable << " unreadable originals, " << tally.repeatedNames
                  << " with a display name repeating its address)\n";
        EXPECT_GT(tally.files, 100u);
        EXPECT_EQ(tally.failures.size(), 0u);
        for (size_t i = 0; i < tally.failures.size() && i < 20; ++i)
            std::cout << "  " << tally.failures[i] << "\n";
    }
}

} // namespace
} // namespace kestrin
