#include "storage/scramble.h"

#include <cstdint>

namespace kestrin {
namespace {

uint8_t byteAt(const std::string& buffer, size_t i)
{
    return static_cast<uint8_t>(buffer[i]);
}

// Every sum wraps modulo 256, as the file format was defined on 8-bit bytes.
char wrapped(unsigned value)
{
    return static_cast<char>(static_cast<uint8_t>(value & 0xFFu));
}

// Runs upwards, so byte i+1 is still plain when byte i is computed.
void code2(std::string& buffer, unsigned k)
{
    for (size_t i = 0; i + 1 < buffer.size(); ++i)
        buffer[i] = wrapped(byteAt(buffer, i) + byteAt(buffer, i + 1) + k);
}

// Runs downwards, so byte i+1 is already restored when byte i is computed.
void decode2(std::string& buffer, unsigned k)
{
    for (size_t i = buffer.size() - 1; i-- > 0;)
        buffer[i] = wrapped(byteAt(buffer, i) + 512u - byteAt(buffer, i + 1) - k);
}

} // namespace

void scramble(std::string_view mode, std::string& buffer)
{
    if (buffer.size() < 2)
        return;
    const unsigned k = static_cast<unsigned>(buffer.size() % 32) + 16;
    if (mode == "code2")
        code2(buffer, k);
    else if (mode == "decode2")
        decode2(buffer, k);
}

} // namespace kestrin
