#pragma once
// The module matrix of a symbol: function patterns, format and version information and the
// placement of the codewords.
#include <cstdint>
#include <vector>

#include "barcode/qr_types.h"

namespace barcode {

// What a matrix byte says besides its colour (bit 0).
enum ModuleKind : std::uint8_t {
    mkFinder = 0x80,
    mkTiming = 0x40,
    mkAlignment = 0x20,
    mkFormat = 0x10,
    mkVersion = 0x08,
    mkDarkModule = 0x05,
    mkData = 0x02,
};

// The 15 format bits of a level and mask, the 18 version bits of a version (BCH coded).
unsigned FormatBits(TQRCode_EccLevel level, unsigned mask);
unsigned VersionBits(int version);

// An n x n matrix of unplaced modules.
TMapMatrix EmptyMatrix(int version);

}  // namespace barcode

// The 7 x 7 finder with (X, Y) its top-left module, inside its light separator ring.
void DrawFinderPattern(TMapMatrix &M, int X, int Y);
void DrawTimingPattern(TMapMatrix &M);
void DrawAlignmentPatterns(TMapMatrix &M, int Version);
void DrawFormatPattern(TMapMatrix &M, TQRCode_EccLevel Level, unsigned char Mask);
void DrawVersionPattern(TMapMatrix &M, int Version);
// The codeword bits in the zigzag order into the free modules; the modules left over are light.
void DrawCodeWords(TMapMatrix &M, const unsigned char *Codewords, int Count, int Version,
                   TQRCode_EccLevel Level);

namespace barcode {

// Everything in order: patterns, reserved format modules, version information, the dark module,
// the codewords, then the mask with the lowest score and its format information.
void PlaceModules(TMapMatrix &matrix, const std::vector<unsigned char> &codewords, int version,
                  TQRCode_EccLevel level);

}  // namespace barcode
