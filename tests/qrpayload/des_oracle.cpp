#include "des_oracle.h"

#include <openssl/evp.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "qrpayload/des_primitives.h"

DesBlock OpenSslTdea(const Key24 &key, const DesBlock &block, bool encrypt) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    DesBlock out{};
    int written = 0;
    if (!ctx ||
        EVP_CipherInit_ex(ctx.get(), EVP_des_ede3_ecb(), nullptr, key.data(), nullptr, encrypt) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), out.data(), &written, block.data(), 8) != 1 || written != 8)
        throw std::runtime_error("OpenSSL DES-EDE3 failed");
    return out;
}

DesBlock OpenSslDes(const Key8 &key, const DesBlock &block, bool encrypt) {
    Key24 tripled;
    for (int third = 0; third < 3; ++third) std::copy(key.begin(), key.end(), tripled.begin() + 8 * third);
    return OpenSslTdea(tripled, block, encrypt);
}

DesBlock SwapHalvesUnderIp(const DesBlock &block) {
    DesBits32 L, R;
    DesInitialPermutation(block, L, R);
    DesBlock out;
    DesFinalPermutation(L, R, out);  // IP^-1 of R followed by L
    return out;
}

Key8 KeyThird(const Key24 &key, int third) {
    Key8 part;
    std::copy_n(key.begin() + 8 * third, 8, part.begin());
    return part;
}

DesBlock OracleEncrypt3(const Key24 &key, const DesBlock &block) {
    DesBlock x = OpenSslDes(KeyThird(key, 0), block, true);
    x = OpenSslDes(KeyThird(key, 1), SwapHalvesUnderIp(x), false);
    return OpenSslDes(KeyThird(key, 2), SwapHalvesUnderIp(x), true);
}

DesBlock OracleDecrypt3(const Key24 &key, const DesBlock &block) {
    DesBlock x = OpenSslDes(KeyThird(key, 2), block, false);
    x = OpenSslDes(KeyThird(key, 1), SwapHalvesUnderIp(x), true);
    return OpenSslDes(KeyThird(key, 0), SwapHalvesUnderIp(x), false);
}
