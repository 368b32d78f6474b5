#pragma once

namespace kestrin {

// The value of one hexadecimal digit, or -1. Lower-case digits are accepted:
// the RFCs ask for upper case, but many mailers write lower case.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace kestrin
