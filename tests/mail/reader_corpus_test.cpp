#include "mail/mail_errors.h"
#include "mail/mime_parts.h"
#include "message_test_support.h"
#include "support/corpus_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

struct CorpusTally {
    size_t files = 0;
    size_t parseErrors = 0;
    size_t unknownPartType = 0;
    size_t withTextPart = 0;
    size_t withBodyText = 0; // a text part with lines, or Body lines when there is no text part
};

bool hasBodyText(const TIdMessage& message)
{
    if (const TIdMessagePart* text = firstTextPart(message))
        return !text->lines.empty();
    return !message.Body.empty();
}

CorpusTally loadFolder(const fs::path& folder)
{
    CorpusTally tally;
    const std::vector<fs::path> files = test::corpusFiles(folder);
    for (const auto& file : files) {
        ++tally.files;
        TIdMessage message;
        try {
            message.loadFromFile(file.string());
        } catch (const EIdEmailParseError&) {
            ++tally.parseErrors;
            continue;
        } catch (const EIdUnknownMessagePartType&) {
            ++tally.unknownPartType;
            continue;
        }
        tally.withTextPart += firstTextPart(message) != nullptr;
        tally.withBodyText += hasBodyText(message);
    }
    return tally;
}

// Real mail from the SpamAssassin corpus: every message loads (only the mail
// layer's own parse errors may stop one) and nearly every one yields body text.
TEST(ReaderCorpus, EveryRealMessageLoads)
{
    const fs::path root = KESTRIN_CORPUS_DIR;
    for (const char* name : {"easy-ham-1", "spam-1"}) {
        const fs::path folder = root / name;
        if (!fs::is_directory(folder))
            GTEST_SKIP() << "corpus folder missing: " << folder;
        const CorpusTally tally = loadFolder(folder);
        std::cout << name << ": " << tally.files << " files, " << tally.parseErrors << " address errors, "
                  << tally.unknownPartType << " unknown part types, " << tally.withTextPart << " with a text part, "
                  << tally.withBodyText << " with body text\n";
        EXPECT_GT(tally.files, 0u);
        EXPECT_EQ(tally.unknownPartType, 0u);
        EXPECT_LE(tally.parseErrors * 100, tally.files);
        EXPECT_GE(tally.withBodyText * 100, tally.files * 98);
    }
}

} // namespace
} // namespace kestrin
