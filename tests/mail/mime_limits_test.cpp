#include "mail/body_parser.h"
#include "mail/mime_parts.h"
#include "message_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::mimeMessage;
using test::readBodyText;

std::string nestedMultiparts(int levels)
{
    std::string text;
    for (int i = 1; i <= levels; ++i) {
        text += "--b" + std::to_string(i - 1) + "\r\n";
        text += "Content-Type: multipart/mixed; boundary=b" + std::to_string(i) + "\r\n\r\n";
    }
    text += "--b" + std::to_string(levels) + "\r\n\r\ndeep text\r\n";
    return text;
}

TEST(MimeLimits, NestingDeeperThanTheLimitIsKeptRawInOneAttachment)
{
    TIdMessage message = mimeMessage("b0");
    readBodyText(message, nestedMultiparts(150));
    // The message is the first level, so 99 nested containers reach the limit.
    ASSERT_EQ(message.containers.size(), kMaxMimeDepth - 1);
    for (size_t i = 0; i < message.containers.size(); ++i)
        EXPECT_EQ(message.containers[i].parentPart, static_cast<int>(i) - 1);
    ASSERT_EQ(message.parts.size(), 1u);
    const TIdMessagePart& raw = message.parts[0];
    EXPECT_EQ(raw.kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(raw.contentType, "multipart/mixed");
    EXPECT_EQ(raw.parentPart, static_cast<int>(kMaxMimeDepth) - 2);
    EXPECT_EQ(raw.data.substr(0, 7), "--b100\r");
    EXPECT_NE(raw.data.find("deep text"), std::string::npos);

    // Exactly at the limit everything is still opened.
    TIdMessage atLimit = mimeMessage("b0");
    readBodyText(atLimit, nestedMultiparts(static_cast<int>(kMaxMimeDepth) - 1));
    EXPECT_EQ(atLimit.containers.size(), kMaxMimeDepth - 1);
    ASSERT_EQ(atLimit.parts.size(), 1u);
    EXPECT_EQ(atLimit.parts[0].lines, (std::vector<std::string>{"deep text"}));
}

TEST(MimeLimits, MultipartWithoutBoundaryIsKeptRaw)
{
    TIdMessage message = mimeMessage("b");
    readBodyText(message, test::crlfLines({"--b", "Content-Type: multipart/mixed", "", "--x", "", "text", "--b--"}));
    ASSERT_EQ(message.parts.size(), 1u);
    EXPECT_EQ(message.parts[0].kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(message.parts[0].data, "--x\r\n\r\ntext");
    EXPECT_TRUE(message.containers.empty());
}

TEST(MimeLimits, PartsPastTheLimitEndUpInOneRawAttachment)
{
    const size_t total = kMaxMessageParts + 50;
    std::string text;
    for (size_t i = 0; i < total; ++i)
        text += "--b\r\n\r\npart " + std::to_string(i) + "\r\n";
    text += "--b--\r\n";
    TIdMessage message = mimeMessage("b");
    readBodyText(message, text);
    ASSERT_EQ(message.parts.size(), kMaxMessageParts + 1);
    EXPECT_EQ(message.parts[kMaxMessageParts - 1].lines,
              (std::vector<std::string>{"part " + std::to_string(kMaxMessageParts - 1)}));
    const TIdMessagePart& rest = message.parts.back();
    EXPECT_EQ(rest.kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(rest.parentPart, -1);
    const std::string expectedStart = "--b\r\n\r\npart " + std::to_string(kMaxMessageParts) + "\r\n--b";
    EXPECT_EQ(rest.data.substr(0, expectedStart.size()), expectedStart);
    const std::string expectedEnd = "part " + std::to_string(total - 1) + "\r\n--b--";
    EXPECT_EQ(rest.data.substr(rest.data.size() - expectedEnd.size()), expectedEnd);

    // Empty nested multiparts count against the same limit.
    const std::string emptyContainer = "--b\r\nContent-Type: multipart/mixed; boundary=c\r\n\r\n--c--\r\n";
    std::string containers;
    for (size_t i = 0; i < 2 * kMaxMessageParts; ++i)
        containers += emptyContainer;
    TIdMessage many = mimeMessage("b");
    readBodyText(many, containers);
    EXPECT_EQ(many.containers.size(), kMaxMessageParts);
    ASSERT_EQ(many.parts.size(), 1u);
    // The remainder holds the other half, line ends and all but the very last one.
    EXPECT_EQ(many.parts[0].data.size(), kMaxMessageParts * emptyContainer.size() - 2);
}

TEST(MimeLimits, HugeInputsParseInOnePass)
{
    const std::string tenMegabytes(10 * 1024 * 1024, 'x');

    TIdMessage plain;
    readBodyText(plain, tenMegabytes + "\r\n.\r\n");
    ASSERT_EQ(plain.Body.size(), 1u);
    EXPECT_EQ(plain.Body[0].size(), tenMegabytes.size());

    // A long line starting like a boundary is compared once per open boundary.
    TIdMessage boundaryLike = mimeMessage(std::string(1000, 'b'));
    readBodyText(boundaryLike, "--" + tenMegabytes + "\r\n--" + std::string(1000, 'b') + "x" + tenMegabytes);
    EXPECT_EQ(boundaryLike.Body.size(), 2u);

    std::string qp;
    for (int i = 0; i < 1000000; ++i)
        qp += "=41=\r\n";
    TIdMessage softBreaks;
    softBreaks.contentTransferEncoding = "quoted-printable";
    readBodyText(softBreaks, qp);
    ASSERT_EQ(softBreaks.Body.size(), 1u);
    EXPECT_EQ(softBreaks.Body[0], std::string(1000000, 'A'));

    std::string lines = "--b\r\nContent-Type: text/plain\r\n\r\n";
    for (int i = 0; i < 300000; ++i)
        lines += "--b-looks-like-a-boundary\r\n";
    TIdMessage manyLines = mimeMessage("b");
    readBodyText(manyLines, lines);
    ASSERT_EQ(manyLines.parts.size(), 1u);
    EXPECT_EQ(manyLines.parts[0].lines.size(), 300000u);
}

} // namespace
} // namespace kestrin
