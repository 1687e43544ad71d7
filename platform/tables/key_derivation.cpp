#include "platform/tables/key_derivation.h"

#include <openssl/evp.h>

#include "platform/runtime/errors.h"

namespace tables {
namespace {

// Fixed for ever: changing either makes every existing table unreadable.
constexpr std::string_view kSalt = "station tables / raw key v1";
constexpr int kIterations = 100000;

}  // namespace

TableKey DeriveTableKey(std::string_view password) {
    TableKey key{};
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                          reinterpret_cast<const unsigned char *>(kSalt.data()),
                          static_cast<int>(kSalt.size()), kIterations, EVP_sha256(),
                          static_cast<int>(key.size()), key.data()) != 1)
        throw EDatabaseError("the table key could not be derived from the password");
    return key;
}

std::string RawKeyLiteral(const TableKey &key) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string literal = "x'";
    for (uint8_t byte : key) {
        literal += kHex[byte >> 4];
        literal += kHex[byte & 0x0F];
    }
    literal += '\'';
    return literal;
}

}  // namespace tables
