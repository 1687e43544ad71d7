#pragma once
// Outside oracles for the QR encoder's tests: libqrencode builds the same segments into a matrix,
// ZXing and zbarimg decode our matrices from an image.
#include <optional>
#include <string>
#include <vector>

#include "barcode/qr_types.h"

namespace qrtest {

// Module colours (1 dark) with the data mask removed: the mask read from the format information.
using Colours = std::vector<std::vector<int>>;

// The mask number a symbol's format information says (the copy around the top-left finder).
int FormatMask(const Colours &colours);

Colours ColoursOf(const TMapMatrix &matrix);

// Our matrix with its mask removed from the data modules.
Colours UnmaskedOurs(const TMapMatrix &matrix);

// libqrencode's symbol of the same segments at the same version and level, mask removed; empty when
// libqrencode refuses the input or picks another version.
Colours UnmaskedQrencode(const std::string &data, const barcode::SegmentList &segments, int version,
                         TQRCode_EccLevel level);

// The format information modules, which differ with the mask: excluded from comparisons.
bool IsFormatModule(int row, int column, int n);

// Grey image (0 dark, 255 light) with a quiet zone of four modules, `scale` pixels per module.
std::vector<unsigned char> Render(const TMapMatrix &matrix, int scale, int &side);

// What ZXing reads from a symbol: the raw bytes (with FNC1 in second position, preceded by the
// application indicator), the symbology identifier ("]Q1" plain, "]Q3" FNC1 first, "]Q5" FNC1
// second), ECI presence and the Structured Append position.
struct ZxingReading {
    std::string bytes;
    std::string identifier;
    bool hasEci = false;
    int sequenceIndex = -1;
    int sequenceSize = 0;
};

std::optional<ZxingReading> ReadWithZxing(const TMapMatrix &matrix);
std::optional<std::string> DecodeWithZxing(const TMapMatrix &matrix);

// libqrencode's first symbol of a Structured Append sequence of `total` symbols whose first
// symbol holds `segments` (the others a filler), with the given parity; mask removed.
Colours UnmaskedQrencodeStructured(const std::string &data, const barcode::SegmentList &segments, int version,
                                   TQRCode_EccLevel level, int total, unsigned char parity);

// Writes a PGM and runs `zbarimg --raw -q -Sbinary` on it.
std::optional<std::string> DecodeWithZbar(const TMapMatrix &matrix, const std::string &name);

}  // namespace qrtest
