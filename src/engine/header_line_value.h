#pragma once
// The rules read header values their own way, not through the message model's
// unfolding lookup: the first raw line that merely begins with the name counts
// (so "X-Mailer-Info" standing before "X-Mailer" is taken for it), and the value
// starts two characters after the name, past the colon and one blank.
#include "mail/header_list.h"
#include "mail/message.h"

#include <string>
#include <string_view>

namespace kestrin {

struct HeaderLineValue {
    std::string value;
    bool found = false;
};

// First raw line whose first name.size() bytes equal name ignoring ASCII case;
// its value is the rest from two bytes after the name, empty when the line is
// shorter. Not found: empty value and found false.
HeaderLineValue headerLineValue(const TIdHeaderList& rawHeaders, std::string_view name);
HeaderLineValue headerLineValue(const TIdMessage& message, std::string_view name);

} // namespace kestrin
