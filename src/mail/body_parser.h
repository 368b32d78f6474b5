#pragma once
// Line-by-line reading of a message body that is not decoded as one piece: the
// plain text before the first part, MIME parts under the message's boundary
// (nested multiparts included) and, in a plain message, uuencoded blocks.
#include "mail/message.h"
#include "mail/mime_parts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrin {

// Limits against hostile structure: nesting as deep as dovecot allows, and a
// part count far above real mail. Past them nothing is dropped; the content is
// kept raw in an attachment.
inline constexpr size_t kMaxMimeDepth = 100;
inline constexpr size_t kMaxMessageParts = 10000;

class MessageBodyParser {
public:
    // Fills message.Body, parts and containers; the message's boundary decides
    // whether MIME parts are looked for.
    explicit MessageBodyParser(TIdMessage& message);

    // One body line, with the POP3 byte-stuffing dot already removed.
    void addLine(const std::string& line);
    // End of the body: closes whatever is still open (a missing closing
    // boundary or "end" line keeps what was read).
    void finish();

private:
    enum class State { Body, UuPending, UuBlock, PartHeader, PartBody, Skip, Remainder, Epilogue };
    struct Frame {
        std::string boundary;
        int container = -1;
    };
    struct BoundaryMatch {
        size_t frame = 0;
        bool closing = false;
    };

    std::optional<BoundaryMatch> matchBoundary(const std::string& line) const;
    void addBodyLine(const std::string& line);
    void addUuLine(const std::string& line);
    void addPartLine(const std::string& line);
    void onBoundary(const BoundaryMatch& match, const std::string& line);
    void beginPart(const std::string& line);
    void startPartBody();
    void endCurrentPart();
    void finishLeaf();
    void finishUuBlock();
    void finishRemainder();
    int currentContainer() const;
    size_t partCount() const;

    TIdMessage& message_;
    State state_ = State::Body;
    std::vector<Frame> frames_; // open multiparts, outermost (the message) first
    TIdHeaderList partHeaders_;
    std::vector<std::string> partLines_;
    PartDescription current_;
    bool rawLeaf_ = false;
    std::string uuBeginLine_;
    std::string uuName_;
    std::string uuData_;
    std::string remainder_;
};

} // namespace kestrin
