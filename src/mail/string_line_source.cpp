#include "mail/string_line_source.h"

namespace kestrin {

bool StringLineSource::readLine(std::string& line)
{
    if (pos_ >= text_.size())
        return false;
    size_t end = text_.find('\n', pos_);
    const bool hasLineEnd = end != std::string::npos;
    if (!hasLineEnd)
        end = text_.size();
    size_t length = end - pos_;
    if (hasLineEnd && length > 0 && text_[end - 1] == '\r')
        --length;
    line.assign(text_, pos_, length);
    pos_ = hasLineEnd ? end + 1 : end;
    return true;
}

} // namespace kestrin
