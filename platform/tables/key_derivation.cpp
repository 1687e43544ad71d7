#include "platform/tables/key_derivation.h"

// The SHA-256 structs are copied per iteration; the library marks that interface as old.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/crypto.h>
#include <openssl/sha.h>

#include <algorithm>
#include <cstring>
#include <memory>

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

    // The states after the padded key's block, as the lanes take them.
    void StartLane(HmacLane &lane) const {
        std::copy(std::begin(inner_.h), std::end(inner_.h), lane.inner.begin());
        std::copy(std::begin(outer_.h), std::end(outer_.h), lane.outer.begin());
    }

private:
    SHA256_CTX inner_;
    SHA256_CTX outer_;
};

using Digest = std::array<unsigned char, SHA256_DIGEST_LENGTH>;

// U1 = HMAC(salt || block number 1).
Digest FirstU(const Hmac &hmac) {
    std::string first(kSalt);
    first += std::string_view("\0\0\0\1", 4);  // block number 1, big-endian
    Digest u;
    hmac.Mac(reinterpret_cast<const unsigned char *>(first.data()), first.size(), u.data());
    return u;
}

// The remaining iterations of one password, one HMAC after another through the library.
TableKey IteratePortably(const Hmac &hmac, Digest u) {
    TableKey key;
    std::copy(u.begin(), u.end(), key.begin());
    for (int i = 1; i < kIterations; ++i) {
        hmac.Mac(u.data(), u.size(), u.data());
        for (size_t b = 0; b < key.size(); ++b) key[b] ^= u[b];
    }
    OPENSSL_cleanse(u.data(), u.size());
    return key;
}

uint32_t BigEndianWord(const unsigned char *bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// Up to kMaxShaLanes passwords' remaining iterations side by side on the SHA-256 instructions.
void IterateOnLanes(std::span<const std::unique_ptr<Hmac>> hmacs, std::span<TableKey> keys) {
    std::array<HmacLane, kMaxShaLanes> lanes;
    for (size_t i = 0; i < hmacs.size(); ++i) {
        hmacs[i]->StartLane(lanes[i]);
        const Digest u = FirstU(*hmacs[i]);
        for (size_t w = 0; w < 8; ++w) lanes[i].u[w] = lanes[i].sum[w] = BigEndianWord(u.data() + 4 * w);
    }
    IterateHmacLanes(std::span(lanes.data(), hmacs.size()), kIterations - 1);
    for (size_t i = 0; i < hmacs.size(); ++i)
        for (size_t w = 0; w < 8; ++w)
            for (size_t b = 0; b < 4; ++b) keys[i][4 * w + b] = static_cast<uint8_t>(lanes[i].sum[w] >> (24 - 8 * b));
    OPENSSL_cleanse(lanes.data(), sizeof lanes);
}

}  // namespace

// PBKDF2-HMAC-SHA256 of one output block (the key is one digest long). Written out rather than
// taken from the library's PBKDF2, whose per-iteration context copies go through a layer that
// takes a lock shared by every thread: the program derives its passwords' keys side by side.
std::vector<TableKey> DeriveTableKeys(std::span<const std::string_view> passwords, bool instructions) {
    static_assert(sizeof(TableKey) == SHA256_DIGEST_LENGTH);
    std::vector<TableKey> keys(passwords.size());
    for (size_t start = 0; start < passwords.size(); start += kMaxShaLanes) {
        const size_t count = std::min(kMaxShaLanes, passwords.size() - start);
        std::vector<std::unique_ptr<Hmac>> hmacs;
        for (size_t i = 0; i < count; ++i) hmacs.push_back(std::make_unique<Hmac>(passwords[start + i]));
        if (instructions) {
            IterateOnLanes(hmacs, std::span(keys).subspan(start, count));
        } else {
            for (size_t i = 0; i < count; ++i) keys[start + i] = IteratePortably(*hmacs[i], FirstU(*hmacs[i]));
        }
    }
    return keys;
}

TableKey DeriveTableKey(std::string_view password) {
    return DeriveTableKeys(std::span(&password, 1)).front();
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
