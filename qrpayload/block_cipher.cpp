#include "qrpayload/block_cipher.h"

#include "qrpayload/des_primitives.h"

namespace {

enum class RoundOrder { Ascending, Descending };

// 16 Feistel rounds over (L, R) with the subkeys of one 8-byte key.
void RunPass(DesBits32 &L, DesBits32 &R, std::span<const std::uint8_t, 8> key, RoundOrder order) {
    DesBits28 C0, D0, C, D;
    DesPermutedChoice1(key, C0, D0);
    for (int step = 0; step < 16; ++step) {
        const int r = order == RoundOrder::Ascending ? step : 15 - step;
        DesBits48 K, X;
        DesRoundKeyShift(C0, D0, r, C, D);
        DesPermutedChoice2(C, D, K);

        const DesBits32 T = L;
        L = R;
        DesExpand(R, X);
        DesXor48(X, K, X);
        DesBits32 F;
        DesSBoxes(X, F);
        DesPermuteP(F, F);
        DesXor32(F, T, R);
    }
}

struct Pass {
    std::size_t keyOffset;
    RoundOrder order;
};

DesBlock RunPasses(const DesBlock &in, DesKey3 key, const std::array<Pass, 3> &passes) {
    DesBits32 L, R;
    DesInitialPermutation(in, L, R);
    for (const Pass &pass : passes) RunPass(L, R, key.subspan(pass.keyOffset).first<8>(), pass.order);
    DesBlock out;
    DesFinalPermutation(L, R, out);
    return out;
}

int HexNibble(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

}  // namespace

DesBlock EncryptBlock3DES(const DesBlock &in, DesKey3 key) {
    return RunPasses(
        in, key, {{{0, RoundOrder::Ascending}, {8, RoundOrder::Descending}, {16, RoundOrder::Ascending}}});
}

DesBlock DecryptBlock3DES(const DesBlock &in, DesKey3 key) {
    return RunPasses(
        in, key, {{{16, RoundOrder::Descending}, {8, RoundOrder::Ascending}, {0, RoundOrder::Descending}}});
}

std::string ConvUchHEX(std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::uint8_t Char2ToUCH(std::string_view text) {
    const int high = text.size() > 0 ? HexNibble(text[0]) : 0;
    const int low = text.size() > 1 ? HexNibble(text[1]) : 0;
    return static_cast<std::uint8_t>(high << 4 | low);
}
