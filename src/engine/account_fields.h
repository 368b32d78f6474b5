#pragma once
// What an account's text columns mean, in one place: the editors validate with
// these and the cycle reads with them, so both agree on what is usable.
#include "mail/pop3_client.h"
#include "storage/records.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrin {

// The `size` value meaning "no limit": thirty nines, as stored files hold it.
inline constexpr std::string_view kUnlimitedSizeText = "999999999999999999999999999999";

// Above its limit a message is judged by its header only.
struct SizeLimit {
    bool unlimited = false;
    int32_t kilobytes = 0; // when limited

    // Compared in 64 bits: a server size of 2^31 or more must not wrap into "small".
    bool admits(int64_t messageSize) const;
};

// The thirty nines, or a whole number of kilobytes; nullopt for anything else.
std::optional<SizeLimit> accountSizeLimit(std::string_view size);
// A port column (`dopo`, `uppo`): a whole number 0-65535.
std::optional<uint16_t> accountPort(std::string_view port);

// What the cycle needs to log in; nullopt when a column cannot be read, so the
// account is refused with the other account data rather than ending the cycle.
struct AccountConnection {
    uint16_t pop3Port = 110;
    Pop3Security security = Pop3Security::None;
    SizeLimit sizeLimit;
};
std::optional<AccountConnection> accountConnection(const AccountRecord& account);

// The POP3 port the editor proposes when the encryption changes: TLS from the
// start moves a default 110 to 995, and leaving it moves 995 back; a port the
// user chose stays.
std::string_view proposedPop3Port(std::string_view port, Pop3Security from, Pop3Security to);

} // namespace kestrin
