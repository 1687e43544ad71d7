#pragma once
// From bit-stream entries to the final codeword sequence of a version and level: terminator, pad
// codewords, error-correction blocks, parity and interleaving.
#include <vector>

#include "barcode/qr_types.h"

namespace barcode {

// The data codewords: the entries packed most significant bit first, a terminator of up to four
// zero bits, zero fill of the last byte, then 0xEC and 0x11 alternately. The entries must fit.
std::vector<unsigned char> DataCodewordsOf(const BitStream &stream, int version, TQRCode_EccLevel level);

// The whole sequence: data codewords interleaved by block, then the parity codewords interleaved.
std::vector<unsigned char> InterleaveWithParity(const std::vector<unsigned char> &data, int version,
                                                TQRCode_EccLevel level);

// Both steps (the work of the component's level-two encoding).
std::vector<unsigned char> LevelTwoCodewords(const BitStream &stream, int version, TQRCode_EccLevel level);

}  // namespace barcode
