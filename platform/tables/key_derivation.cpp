#include "platform/tables/key_derivation.h"

// The SHA-256 structs are copied per iteration; the library marks that interface as old.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/crypto.h>
#include <openssl/sha.h>

#include <algorithm>
#include <cstring>

namespace tables {
namespace {

// Fixed for ever: changing either makes every existing table unreadable.
constexpr std::string_view kSalt = "station tables / raw key v1";
constexpr int kIterations = 100000;

// HMAC-SHA256 under one key, its padded key hashed once: each MAC starts from copies of the inner
// and outer states.
class Hmac {
public:
    explicit Hmac(std::string_view key) {
        unsigned char block[SHA256_CBLOCK] = {};
        if (key.size() > sizeof block)
            SHA256(reinterpret_cast<const unsigned char *>(key.data()), key.size(), block);
        else
            std::memcpy(block, key.data(), key.size());
        unsigned char pad[SHA256_CBLOCK];
        for (size_t i = 0; i < sizeof pad; ++i) pad[i] = block[i] ^ 0x36;
        SHA256_Init(&inner_);
        SHA256_Update(&inner_, pad, sizeof pad);
        for (size_t i = 0; i < sizeof pad; ++i) pad[i] = block[i] ^ 0x5C;
        SHA256_Init(&outer_);
        SHA256_Update(&outer_, pad, sizeof pad);
        OPENSSL_cleanse(block, sizeof block);
        OPENSSL_cleanse(pad, sizeof pad);
    }
    ~Hmac() {
        OPENSSL_cleanse(&inner_, sizeof inner_);
        OPENSSL_cleanse(&outer_, sizeof outer_);
    }
    Hmac(const Hmac &) = delete;
    Hmac &operator=(const Hmac &) = delete;

    // `out` may be `data`.
    void Mac(const unsigned char *data, size_t size, unsigned char out[SHA256_DIGEST_LENGTH]) const {
        SHA256_CTX context = inner_;
        SHA256_Update(&context, data, size);
        SHA256_Final(out, &context);
        context = outer_;
        SHA256_Update(&context, out, SHA256_DIGEST_LENGTH);
        SHA256_Final(out, &context);
        OPENSSL_cleanse(&context, sizeof context);
    }

private:
    SHA256_CTX inner_;
    SHA256_CTX outer_;
};

}  // namespace

// PBKDF2-HMAC-SHA256 of one output block (the key is one digest long). Written out rather than
// taken from the library's PBKDF2, whose per-iteration context copies go through a layer that
// takes a lock shared by every thread: the program derives its passwords' keys side by side.
TableKey DeriveTableKey(std::string_view password) {
    static_assert(sizeof(TableKey) == SHA256_DIGEST_LENGTH);
    const Hmac hmac(password);
    std::string first(kSalt);
    first += std::string_view("\0\0\0\1", 4);  // block number 1, big-endian
    unsigned char u[SHA256_DIGEST_LENGTH];
    hmac.Mac(reinterpret_cast<const unsigned char *>(first.data()), first.size(), u);
    TableKey key{};
    std::copy(std::begin(u), std::end(u), key.begin());
    for (int i = 1; i < kIterations; ++i) {
        hmac.Mac(u, sizeof u, u);
        for (size_t b = 0; b < key.size(); ++b) key[b] ^= u[b];
    }
    OPENSSL_cleanse(u, sizeof u);
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
