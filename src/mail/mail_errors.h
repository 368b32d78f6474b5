#pragma once
// The mail layer reports failures as exceptions carrying the message texts the
// Windows program showed; the check cycle turns them into report entries.
#include <stdexcept>
#include <string>

namespace kestrin {

class EIdException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A header address that cannot be parsed ("@ Outside address").
class EIdEmailParseError : public EIdException {
public:
    using EIdException::EIdException;
};

// Load from file of a missing or unreadable file ("Cannot load message from file %s").
class EIdMessageCannotLoad : public EIdException {
public:
    using EIdException::EIdException;
};

// A message part the decoder cannot class ("Unknown Message Part Type.").
class EIdUnknownMessagePartType : public EIdException {
public:
    using EIdException::EIdException;
};

} // namespace kestrin
