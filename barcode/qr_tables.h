#pragma once
// Capacity tables of QR Code model 2, versions 1 to 40.
#include <vector>

#include "barcode/qr_types.h"

namespace barcode {

// 0 for versions 1-9, 1 for 10-26, 2 for 27-40: the groups that share character-count widths.
int VersionGroup(int version);

// Width of the character-count field of a character mode (0 for the header-only modes).
int CountBits(TQRCode_EncodeMode mode, int version);

// Modules on a side: 4 * version + 17.
inline int SymbolSize(int version) {
    return 4 * version + 17;
}

// Centre coordinates of the alignment patterns (empty for version 1).
std::vector<int> AlignmentCoordinates(int version);

// Codewords the symbol holds in all (data and parity).
int TotalCodewords(int version);

// Error-correction blocks, parity codewords per block and data codewords of a version and level.
int BlockCount(int version, TQRCode_EccLevel level);
int ParityPerBlock(int version, TQRCode_EccLevel level);
int DataCodewords(int version, TQRCode_EccLevel level);

// Upper bound of the characters any mode mix can hold: the digits that fit the data bits left
// after one numeric header and `extraBits`; 0 when nothing fits.
int DigitCapacity(int version, TQRCode_EccLevel level, int extraBits);

}  // namespace barcode
