#include "barcode/reed_solomon.h"

#include <array>
#include <cstring>
#include <vector>

namespace barcode {

namespace {

struct GaloisTables {
    std::array<unsigned char, 256> exp{};
    std::array<int, 256> log{};
    // Generator polynomials by degree, as logarithms of their coefficients from the highest power
    // (the leading coefficient 1 is left out).
    std::array<std::vector<int>, 256> generatorLog;

    GaloisTables() {
        int value = 1;
        for (int i = 0; i < 256; ++i) {
            exp[i] = static_cast<unsigned char>(value);
            value <<= 1;
            if (value & 0x100) value ^= 0x11D;
        }
        exp[255] = 1;
        for (int i = 0; i < 256; ++i) log[exp[i]] = i;
        log[1] = 255;
    }

    unsigned char Multiply(unsigned char a, unsigned char b) const {
        if (a == 0 || b == 0) return 0;
        return exp[(log[a] + log[b]) % 255];
    }

    // g(x) = (x - a^0)(x - a^1)...(x - a^(degree - 1)).
    const std::vector<int> &Generator(int degree) {
        std::vector<int> &cached = generatorLog[degree];
        if (!cached.empty() || degree == 0) return cached;
        std::vector<unsigned char> g{1};
        for (int i = 0; i < degree; ++i) {
            std::vector<unsigned char> next(g.size() + 1, 0);
            for (std::size_t j = 0; j < g.size(); ++j) {
                next[j] ^= g[j];
                next[j + 1] ^= Multiply(g[j], exp[i]);
            }
            g = std::move(next);
        }
        cached.resize(degree);
        for (int j = 0; j < degree; ++j) cached[j] = g[j + 1] == 0 ? -1 : log[g[j + 1]] % 255;
        return cached;
    }
};

GaloisTables &Tables() {
    static GaloisTables tables = [] {
        GaloisTables t;
        // Every degree the QR block tables use, so that later calls only read.
        for (int degree = 7; degree <= 30; ++degree) t.Generator(degree);
        return t;
    }();
    return tables;
}

}  // namespace

}  // namespace barcode

void RS_Encode(unsigned char EcCount, unsigned char *Parity, int DataCount, const unsigned char *Data) {
    if (EcCount == 0) return;
    barcode::GaloisTables &tables = barcode::Tables();
    const std::vector<int> &generator = tables.Generator(EcCount);
    // Polynomial division by the monic generator, the remainder kept in Parity.
    std::memset(Parity, 0, EcCount);
    for (int i = 0; i < DataCount; ++i) {
        const unsigned char factor = Data[i] ^ Parity[0];
        std::memmove(Parity, Parity + 1, EcCount - 1);
        Parity[EcCount - 1] = 0;
        if (factor == 0) continue;
        const int factorLog = tables.log[factor];
        for (int j = 0; j < EcCount; ++j) {
            if (generator[j] >= 0) Parity[j] ^= tables.exp[(generator[j] + factorLog) % 255];
        }
    }
}
