#include "mail/mail_errors.h"
#include "mail/message.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

namespace kestrin {
namespace {

// The header block of a stored message: lines up to the first empty one, CR removed.
TIdMessage headerOf(const std::filesystem::path& file)
{
    TIdMessage message;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        message.addRawHeaderLine(line);
    }
    return message;
}

struct CorpusCounts {
    size_t messages = 0;
    size_t parseErrors = 0;
    size_t withFromAddress = 0;
    size_t withDate = 0;
    std::map<std::string, size_t> errorFromHeader;
};

void processFolder(const std::filesystem::path& folder, CorpusCounts& counts)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt")
            continue;
        TIdMessage message = headerOf(entry.path());
        ++counts.messages;
        try {
            message.processHeaders();
        } catch (const EIdEmailParseError&) {
            ++counts.parseErrors;
            std::cout << "parse error: " << entry.path().filename().string() << "\n";
            continue;
        }
        counts.withFromAddress += message.From.Address.find('@') != std::string::npos ? 1 : 0;
        counts.withDate += message.Date > 30000 ? 1 : 0;
    }
}

// Real mail (SpamAssassin corpus): nothing crashes, and nearly every message
// yields a sender address and a plausible date.
TEST(HeaderCorpus, RealMailHeadersProcess)
{
    const std::filesystem::path root(KESTRIN_CORPUS_DIR);
    if (!std::filesystem::is_directory(root / "easy-ham-1") || !std::filesystem::is_directory(root / "spam-1"))
        GTEST_SKIP() << "corpus not fetched: " << root;
    CorpusCounts counts;
    processFolder(root / "easy-ham-1", counts);
    processFolder(root / "spam-1", counts);
    std::cout << counts.messages << " messages, " << counts.parseErrors << " address errors, " << counts.withFromAddress
              << " with a From address, " << counts.withDate << " with a date\n";
    ASSERT_GT(counts.messages, 1000u);
    EXPECT_LT(counts.parseErrors * 100, counts.messages);
    EXPECT_GT(counts.withFromAddress * 100, counts.messages * 97);
    EXPECT_GT(counts.withDate * 100, counts.messages * 97);
}

} // namespace
} // namespace kestrin
