#pragma once
#include "mail/line_source.h"

#include <string>
#include <string_view>

namespace kestrin {

// Lines of text held in memory, split the way the POP3 transport splits them:
// at LF, with one CR before the LF removed. Text after the last LF is a last
// line of its own; nothing else is changed.
class StringLineSource : public LineSource {
public:
    StringLineSource() = default;
    explicit StringLineSource(std::string text) : text_(std::move(text)) {}

    bool readLine(std::string& line) override;

protected:
    void setText(std::string text)
    {
        text_ = std::move(text);
        pos_ = 0;
    }

private:
    std::string text_;
    size_t pos_ = 0;
};

} // namespace kestrin
