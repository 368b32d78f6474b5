#include "mail/body_parser.h"

#include "mail/uuencode.h"

#include <string_view>

namespace kestrin {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool allBlank(std::string_view s)
{
    for (char c : s) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

// A part header line: a continuation, or a field name without blanks inside
// followed by ':'. Anything else means the sender left out the empty line that
// ends the part header, and the line already belongs to the body.
bool looksLikeHeaderLine(const std::string& line)
{
    if (!line.empty() && isBlank(line.front()))
        return true;
    const size_t colon = line.find(':');
    if (colon == std::string::npos)
        return false;
    std::string_view name = std::string_view(line).substr(0, colon);
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    return !name.empty() && name.find_first_of(" \t") == std::string_view::npos;
}

} // namespace

MessageBodyParser::MessageBodyParser(TIdMessage& message) : message_(message)
{
    if (!message_.boundary.empty())
        frames_.push_back({message_.boundary, -1});
}

// RFC 2046: "--" boundary, then blanks only (a delimiter) or "--" (the close
// delimiter). Only the open boundaries are compared, innermost first, so each
// line costs at most the nesting depth times its length.
std::optional<MessageBodyParser::BoundaryMatch> MessageBodyParser::matchBoundary(const std::string& line) const
{
    if (frames_.empty() || line.size() < 2 || line[0] != '-' || line[1] != '-')
        return std::nullopt;
    for (size_t i = frames_.size(); i-- > 0;) {
        const std::string& boundary = frames_[i].boundary;
        if (line.size() < 2 + boundary.size() || line.compare(2, boundary.size(), boundary) != 0)
            continue;
        const std::string_view rest = std::string_view(line).substr(2 + boundary.size());
        if (rest.substr(0, 2) == "--")
            return BoundaryMatch{i, true};
        if (allBlank(rest))
            return BoundaryMatch{i, false};
    }
    return std::nullopt;
}

void MessageBodyParser::addLine(const std::string& line)
{
    switch (state_) {
    case State::Body:
        addBodyLine(line);
        break;
    case State::UuPending:
    case State::UuBlock:
        addUuLine(line);
        break;
    case State::PartHeader:
    case State::PartBody:
    case State::Skip:
        addPartLine(line);
        break;
    case State::Remainder:
        remainder_ += "\r\n";
        remainder_ += line;
        break;
    case State::Epilogue:
        // RFC 2046 says the epilogue is to be ignored; mail programs never show
        // it, so neither the body text nor the rules see it.
        break;
    }
}

void MessageBodyParser::addBodyLine(const std::string& line)
{
    if (!frames_.empty()) {
        const auto match = matchBoundary(line);
        // A close delimiter before any part opens nothing; it stays text.
        if (match && !match->closing)
            beginPart(line);
        else
            message_.Body.push_back(line);
        return;
    }
    if (partCount() < kMaxMessageParts && parseUuencodeBegin(line, uuName_)) {
        uuBeginLine_ = line;
        uuData_.clear();
        state_ = State::UuPending;
        return;
    }
    message_.Body.push_back(line);
}

void MessageBodyParser::addUuLine(const std::string& line)
{
    if (isUuencodeEnd(line)) {
        finishUuBlock();
        return;
    }
    if (state_ == State::UuPending && !isUuencodeDataLine(line)) {
        // "begin 100 ..." in ordinary prose: not a block after all.
        state_ = State::Body;
        message_.Body.push_back(uuBeginLine_);
        addBodyLine(line);
        return;
    }
    state_ = State::UuBlock;
    decodeUuencodeLine(line, uuData_);
}

void MessageBodyParser::addPartLine(const std::string& line)
{
    if (const auto match = matchBoundary(line)) {
        endCurrentPart();
        onBoundary(*match, line);
        return;
    }
    if (state_ == State::PartHeader) {
        if (line.empty()) {
            startPartBody();
            return;
        }
        if (looksLikeHeaderLine(line)) {
            partHeaders_.add(line);
            return;
        }
        startPartBody();
    }
    if (state_ == State::PartBody)
        partLines_.push_back(line);
    // State::Skip: the preamble or epilogue of a nested multipart, ignored like the message's epilogue.
}

void MessageBodyParser::onBoundary(const BoundaryMatch& match, const std::string& line)
{
    // A boundary of an outer multipart also closes every inner one left open.
    frames_.resize(match.frame + 1);
    if (match.closing) {
        frames_.pop_back();
        state_ = frames_.empty() ? State::Epilogue : State::Skip;
        return;
    }
    beginPart(line);
}

void MessageBodyParser::beginPart(const std::string& line)
{
    partHeaders_.clear();
    partLines_.clear();
    if (partCount() >= kMaxMessageParts) {
        remainder_ = line;
        state_ = State::Remainder;
        return;
    }
    state_ = State::PartHeader;
}

void MessageBodyParser::startPartBody()
{
    current_ = describePart(partHeaders_);
    rawLeaf_ = false;
    state_ = State::PartBody;
    if (current_.partClass != PartClass::Container)
        return;
    // frames_ holds the open multiparts, the message's own included, so its
    // size is the current depth.
    if (current_.boundary.empty() || frames_.size() >= kMaxMimeDepth) {
        rawLeaf_ = true;
        return;
    }
    const int index = static_cast<int>(message_.containers.size());
    message_.containers.push_back({partHeaders_, current_.contentType, current_.boundary, currentContainer()});
    frames_.push_back({current_.boundary, index});
    state_ = State::Skip;
}

void MessageBodyParser::endCurrentPart()
{
    if (state_ == State::PartHeader)
        startPartBody();
    if (state_ == State::PartBody)
        finishLeaf();
}

void MessageBodyParser::finishLeaf()
{
    const int parent = currentContainer();
    if (rawLeaf_)
        message_.parts.push_back(rawAttachment(std::move(partHeaders_), current_, partLines_, parent));
    else
        message_.parts.push_back(decodeLeafPart(std::move(partHeaders_), current_, std::move(partLines_), parent));
    partHeaders_.clear();
    partLines_.clear();
}

void MessageBodyParser::finishUuBlock()
{
    TIdMessagePart part;
    part.kind = TIdMessagePart::Kind::Attachment;
    part.contentType = "application/octet-stream";
    part.contentTransferEncoding = "x-uuencode";
    part.fileName = std::move(uuName_);
    part.data = std::move(uuData_);
    message_.parts.push_back(std::move(part));
    uuName_.clear();
    uuData_.clear();
    state_ = State::Body;
}

void MessageBodyParser::finishRemainder()
{
    TIdMessagePart part;
    part.kind = TIdMessagePart::Kind::Attachment;
    part.contentType = "application/octet-stream";
    part.data = std::move(remainder_);
    message_.parts.push_back(std::move(part));
    remainder_.clear();
}

void MessageBodyParser::finish()
{
    switch (state_) {
    case State::PartHeader:
    case State::PartBody:
        endCurrentPart();
        break;
    case State::UuPending:
        message_.Body.push_back(uuBeginLine_);
        break;
    case State::UuBlock:
        finishUuBlock();
        break;
    case State::Remainder:
        finishRemainder();
        break;
    case State::Body:
    case State::Skip:
    case State::Epilogue:
        break;
    }
    state_ = State::Epilogue;
}

int MessageBodyParser::currentContainer() const
{
    return frames_.empty() ? -1 : frames_.back().container;
}

size_t MessageBodyParser::partCount() const
{
    return message_.parts.size() + message_.containers.size();
}

} // namespace kestrin
