#include "engine/bayes_message_memory.h"

#include <gtest/gtest.h>

using namespace kestrin;

namespace {

MailReportEntry entry(const std::string& id)
{
    MailReportEntry e;
    e.messageId = "<" + id + "@example.com>";
    e.date = "2024-05-10 / 11:00:00";
    e.cause = "-";
    e.senderAddress = "nadawca@example.com";
    e.subject = "Temat " + id;
    e.size = "3 kb";
    return e;
}

} // namespace

TEST(BayesMessageMemory, FindsTheMessageOfAMarkedEntry)
{
    BayesMessageMemory memory;
    memory.remember(formatMailReportEntry(entry("a")), "Temat oferta ");
    memory.remember("damaged payload", "nothing ");
    EXPECT_EQ(memory.size(), 1u);

    MailReportEntry marked = entry("a");
    marked.bayesMark = BayesMark::Spam; // marks and actions change, the message stays
    marked.deleteMark = DeleteMark::Marked;
    marked.actions = "ad";
    EXPECT_EQ(memory.words(marked), "Temat oferta ");
    EXPECT_EQ(memory.words(entry("b")), std::nullopt);

    // The same message checked again: its newer words.
    memory.remember(formatMailReportEntry(entry("a")), "inne ");
    EXPECT_EQ(memory.words(entry("a")), "inne ");
    EXPECT_EQ(memory.size(), 1u);
}

TEST(BayesMessageMemory, ForgetsTheOldestFirst)
{
    BayesMessageMemory memory;
    for (size_t i = 0; i < BayesMessageMemory::kMaxMessages + 5; ++i)
        memory.remember(formatMailReportEntry(entry(std::to_string(i))), "slowo ");
    EXPECT_EQ(memory.size(), BayesMessageMemory::kMaxMessages);
    EXPECT_EQ(memory.words(entry("4")), std::nullopt);
    EXPECT_EQ(memory.words(entry("5")), "slowo ");

    // A byte budget as well: one huge message pushes the others out.
    memory.remember(formatMailReportEntry(entry("huge")), std::string(BayesMessageMemory::kMaxBytes - 10, 'x'));
    EXPECT_EQ(memory.words(entry("huge"))->size(), BayesMessageMemory::kMaxBytes - 10);
    EXPECT_LE(memory.size(), 2u);
    memory.remember(formatMailReportEntry(entry("too-big")), std::string(BayesMessageMemory::kMaxBytes + 1, 'x'));
    EXPECT_EQ(memory.words(entry("too-big")), std::nullopt);
}
