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

namespace kestrin {

// Transport errors of the line channel, with the texts the Windows program showed.
class EIdConnectTimeout : public EIdException { // "Connect timed out."
public:
    using EIdException::EIdException;
};
class EIdReadTimeout : public EIdException { // "Read Timeout"
public:
    using EIdException::EIdException;
};
class EIdReadLnMaxLineLengthExceeded : public EIdException { // "Max line length exceeded."
public:
    using EIdException::EIdException;
};
class EIdNotConnected : public EIdException { // "Not connected."
public:
    using EIdException::EIdException;
};
class EIdAlreadyConnected : public EIdException { // "Already connected."
public:
    using EIdException::EIdException;
};
class EIdConnClosedGracefully : public EIdException { // "Connection Closed Gracefully."
public:
    using EIdException::EIdException;
};
// Any other socket failure, with the system's text (host not found, connection refused, reset...).
class EIdSocketError : public EIdException {
public:
    using EIdException::EIdException;
};
// TLS could not be established: handshake or certificate verification failed,
// or the server does not offer the STLS / STARTTLS the account asks for.
class EIdTlsError : public EIdException {
public:
    using EIdException::EIdException;
};
// A server answer longer in all than its limit allows ("Server answer too large.").
// Where it ends is unknown, so the connection cannot be used any more.
class EIdAnswerTooLarge : public EIdException {
public:
    using EIdException::EIdException;
};
// Bytes the client did not ask for were waiting before a command ("Unexpected
// data from the server."): the next reply could not be told from them.
class EIdUnexpectedData : public EIdException {
public:
    using EIdException::EIdException;
};
// The cycle was stopped (the program is quitting): a blocked read was woken.
class EIdAborted : public EIdException {
public:
    using EIdException::EIdException;
};

} // namespace kestrin
