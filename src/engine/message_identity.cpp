#include "engine/message_identity.h"

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

namespace kestrin {
namespace {

using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

std::string toHex(const unsigned char* bytes, unsigned int length)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(length * 2);
    for (unsigned int i = 0; i < length; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 0x0F];
    }
    return hex;
}

} // namespace

std::string md5Hex(std::string_view data)
{
    DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!context || EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), data.data(), data.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        throw std::runtime_error("MD5 digest failed");
    return toHex(digest, length);
}

std::string messageIdentity(std::string_view messageId, std::string_view dateText, std::string_view senderName,
                            std::string_view senderAddress, std::string_view subject)
{
    std::string joined;
    joined.reserve(messageId.size() + dateText.size() + senderName.size() + senderAddress.size() + subject.size());
    joined.append(messageId).append(dateText).append(senderName).append(senderAddress).append(subject);
    return md5Hex(joined);
}

} // namespace kestrin
