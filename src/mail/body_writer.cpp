#include "mail/body_lines.h"
#include "mail/content_type_params.h"
#include "mail/header_lines.h"
#include "mail/message_layout.h"
#include "mail/message_writer.h"
#include "mail/quoted_string.h"
#include "mail/uuencode_writer.h"
#include "text/ascii_case.h"

#include <optional>

namespace kestrin {
namespace {

// Children are listed per multipart: slot 0 is the message, slot i + 1 the
// container i.
struct Child {
    bool container = false;
    size_t index = 0;
};

using ChildLists = std::vector<std::vector<Child>>;

// Containers are numbered as they open, so a parent always has a lower
// number; anything else (a hand-built message gone wrong) hangs off the
// message itself, which also rules out cycles.
size_t containerSlot(const TIdMessage& message, size_t container)
{
    const int parent = message.containers[container].parentPart;
    return parent >= 0 && static_cast<size_t>(parent) < container ? static_cast<size_t>(parent) + 1 : 0;
}

size_t partSlot(const TIdMessage& message, const TIdMessagePart& part)
{
    const int parent = part.parentPart;
    return parent >= 0 && static_cast<size_t>(parent) < message.containers.size() ? static_cast<size_t>(parent) + 1 : 0;
}

// The innermost-last container a part lies in, or nothing.
std::optional<size_t> deepestAncestor(const TIdMessage& message, const TIdMessagePart& part)
{
    const size_t slot = partSlot(message, part);
    if (slot == 0)
        return std::nullopt;
    return slot - 1;
}

// The reader keeps leaves and multiparts in two lists, each in document order;
// a multipart opens before its first leaf, and its ancestors before it.
// Multiparts without leaves keep their order among the multiparts.
ChildLists childLists(const TIdMessage& message)
{
    ChildLists lists(message.containers.size() + 1);
    size_t nextContainer = 0;
    auto openUpTo = [&](size_t last) {
        for (; nextContainer <= last && nextContainer < message.containers.size(); ++nextContainer)
            lists[containerSlot(message, nextContainer)].push_back({true, nextContainer});
    };
    for (size_t i = 0; i < message.parts.size(); ++i) {
        if (const auto ancestor = deepestAncestor(message, message.parts[i]))
            openUpTo(*ancestor);
        lists[partSlot(message, message.parts[i])].push_back({false, i});
    }
    if (!message.containers.empty())
        openUpTo(message.containers.size() - 1);
    return lists;
}

std::vector<std::string> cleanHeaderLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::string clean = withoutLineBreaks(line);
        if (!clean.empty())
            out.push_back(std::move(clean));
    }
    return out;
}

std::string headerValueOf(const std::vector<std::string>& lines, std::string_view name)
{
    TIdHeaderList list;
    list.lines = lines;
    return list.value(name);
}

std::vector<std::string> containerHeaders(const TIdMessage& message, size_t index, const std::string& boundary)
{
    const TIdMessageContainer& container = message.containers[index];
    std::vector<std::string> headers = cleanHeaderLines(container.headers.lines);
    if (contentTypeParameter(headerValueOf(headers, "Content-Type"), "boundary") != boundary) {
        const std::string type = container.contentType.empty() ? std::string("multipart/mixed") : container.contentType;
        setHeader(headers, "Content-Type", type + "; boundary=" + quotedString(boundary));
    }
    return headers;
}

std::string typeWithParameter(const std::string& type, std::string_view parameter, const std::string& value)
{
    return value.empty() ? type : type + "; " + std::string(parameter) + "=" + quotedString(value);
}

// A part built in code carries its description in fields only.
std::vector<std::string> describedPartHeaders(const TIdMessagePart& part)
{
    std::vector<std::string> headers;
    const bool text = part.kind == TIdMessagePart::Kind::Text;
    const std::string fallbackType = text ? "text/plain" : "application/octet-stream";
    const std::string type = part.contentType.empty() ? fallbackType : part.contentType;
    headers.push_back("Content-Type: " +
                      typeWithParameter(type, text ? "charset" : "name", text ? part.charset : part.fileName));
    if (!part.contentTransferEncoding.empty())
        headers.push_back("Content-Transfer-Encoding: " + part.contentTransferEncoding);
    if (!part.contentDisposition.empty())
        headers.push_back("Content-Disposition: " + part.contentDisposition);
    else if (!text && !part.fileName.empty())
        headers.push_back("Content-Disposition: " + typeWithParameter("attachment", "filename", part.fileName));
    return cleanHeaderLines(headers);
}

std::vector<std::string> partHeaders(const TIdMessagePart& part)
{
    return part.headers.empty() ? describedPartHeaders(part) : cleanHeaderLines(part.headers.lines);
}

bool hasLineBreak(std::string_view bytes)
{
    return bytes.find_first_of("\r\n") != std::string_view::npos;
}

// RFC 2046 5.2.1/5.1: multipart and message parts may not be encoded. A raw
// multipart (one the reader would not open) must stay as written, and a
// message part stays as it was when its lines come back unchanged.
bool keepsIdentity(const TIdMessagePart& part, const std::vector<std::string>& headers)
{
    if (startsWithIgnoreCase(part.contentType, "multipart/"))
        return true;
    if (!startsWithIgnoreCase(part.contentType, "message/"))
        return false;
    if (parseTransferEncoding(headerValueOf(headers, "Content-Transfer-Encoding")) != TransferEncoding::Identity)
        return false;
    for (const std::string& line : splitAtCrLf(part.data)) {
        if (hasLineBreak(line))
            return false;
    }
    return true;
}

void appendLines(std::vector<std::string>& out, const std::vector<std::string>& lines)
{
    out.insert(out.end(), lines.begin(), lines.end());
}

void appendTextPart(std::vector<std::string>& out, const TIdMessagePart& part)
{
    const std::vector<std::string> headers = partHeaders(part);
    appendLines(out, headers);
    out.emplace_back();
    const TransferEncoding encoding = parseTransferEncoding(
        part.headers.empty() ? part.contentTransferEncoding : headerValueOf(headers, "Content-Transfer-Encoding"));
    appendLines(out, encodeTextLines(part.lines, encoding, part.fileName));
}

// Attachments go out in base64 whatever they came in, so their bytes survive
// any later hop; the part's header says so.
void appendAttachment(std::vector<std::string>& out, const TIdMessagePart& part)
{
    std::vector<std::string> headers = partHeaders(part);
    const bool identity = keepsIdentity(part, headers);
    if (!identity)
        setHeader(headers, "Content-Transfer-Encoding", "base64");
    appendLines(out, headers);
    out.emplace_back();
    if (identity) {
        if (!part.data.empty())
            appendLines(out, breakEmbeddedLineEnds(splitAtCrLf(part.data)));
        return;
    }
    appendLines(out, base64Lines(part.data));
}

void appendPart(std::vector<std::string>& out, const TIdMessagePart& part)
{
    if (part.kind == TIdMessagePart::Kind::Text)
        appendTextPart(out, part);
    else
        appendAttachment(out, part);
}

struct OpenMultipart {
    size_t slot = 0;
    std::string boundary;
    size_t next = 0;
};

// Walks the tree with an explicit stack: a hand-built message may nest deeper
// than any received one.
void appendMultipart(std::vector<std::string>& out, const TIdMessage& message, const std::string& boundary)
{
    const ChildLists lists = childLists(message);
    // Without a single part (a body whose delimiters never matched) a close
    // delimiter would be read back as one more body line.
    if (lists[0].empty())
        return;
    std::vector<OpenMultipart> open{{0, boundary, 0}};
    while (!open.empty()) {
        OpenMultipart& top = open.back();
        if (top.next >= lists[top.slot].size()) {
            out.push_back("--" + top.boundary + "--");
            open.pop_back();
            continue;
        }
        const Child child = lists[top.slot][top.next++];
        out.push_back("--" + top.boundary);
        if (!child.container) {
            appendPart(out, message.parts[child.index]);
            continue;
        }
        const std::string inner = containerBoundary(message, child.index);
        appendLines(out, containerHeaders(message, child.index, inner));
        out.emplace_back();
        open.push_back({child.index + 1, inner, 0});
    }
}

// Before MIME: the text, then the files as uuencoded blocks.
void appendPlainParts(std::vector<std::string>& out, const TIdMessage& message)
{
    for (const TIdMessagePart& part : message.parts) {
        if (part.kind == TIdMessagePart::Kind::Text)
            appendLines(out, breakEmbeddedLineEnds(part.lines));
    }
    for (const TIdMessagePart& part : message.parts) {
        if (part.kind == TIdMessagePart::Kind::Attachment)
            appendLines(out, uuencodeBlock(part.data, part.fileName));
    }
}

} // namespace

std::vector<std::string> bodyLines(const TIdMessage& message)
{
    if (writesAsSinglePart(message))
        return encodeTextLines(message.Body, parseTransferEncoding(message.contentTransferEncoding), "message");
    std::vector<std::string> out = breakEmbeddedLineEnds(message.Body);
    const std::string boundary = outgoingBoundary(message);
    if (boundary.empty())
        appendPlainParts(out, message);
    else
        appendMultipart(out, message, boundary);
    return out;
}

} // namespace kestrin
