#include "mail/header_list.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TIdHeaderList headers(std::initializer_list<const char*> lines)
{
    TIdHeaderList list;
    for (const char* line : lines)
        list.add(line);
    return list;
}

TEST(HeaderList, FindsTheFirstLineWithTheNameIgnoringCase)
{
    const TIdHeaderList h = headers({"X-Subject: not this", "subject: first", "Subject: second", "Empty:"});
    EXPECT_EQ(h.value("Subject"), "first");
    EXPECT_EQ(h.value("SUBJECT"), "first");
    EXPECT_EQ(h.value("X-Subject"), "not this");
    EXPECT_EQ(h.value("Subj"), "");
    EXPECT_EQ(h.value("Empty"), "");
    EXPECT_EQ(h.value("Missing"), "");
}

TEST(HeaderList, NameEndsAtTheFirstColonOnly)
{
    const TIdHeaderList h = headers({"Subject : spaced name", "Date: Mon, 2 Sep 2002 10:00:00 +0200"});
    EXPECT_EQ(h.value("Subject"), "");
    EXPECT_EQ(h.value("Subject "), "spaced name");
    EXPECT_EQ(h.value("Date"), "Mon, 2 Sep 2002 10:00:00 +0200");
}

TEST(HeaderList, UnfoldsContinuationLinesWithOneSpace)
{
    const TIdHeaderList h = headers({"Subject: first part   ", "\tsecond part", "    third  ", "To: a@b", " c@d"});
    EXPECT_EQ(h.value("Subject"), "first part second part third");
    EXPECT_EQ(h.value("To"), "a@b c@d");
}

TEST(HeaderList, TrimsBlanksAndControlCharacters)
{
    const TIdHeaderList h = headers({"Subject: \t hello\r\x01", "X: \x7f", "Folded:", "\t", " value"});
    EXPECT_EQ(h.value("Subject"), "hello");
    EXPECT_EQ(h.value("X"), "\x7f");
    EXPECT_EQ(h.value("Folded"), "value");
}

TEST(HeaderList, IgnoresLinesWithoutColonAndLeadingContinuations)
{
    const TIdHeaderList h = headers(
        {" orphan: continuation", "From someone@example.com Mon Sep  2 10:00:00 2002", "From: real@example.com"});
    EXPECT_EQ(h.value("From"), "real@example.com");
    EXPECT_EQ(h.value(" orphan"), "continuation");
}

} // namespace
} // namespace kestrin
