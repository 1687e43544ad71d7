#include "barcode/codewords.h"

#include <algorithm>

#include "barcode/bit_stream.h"
#include "barcode/qr_tables.h"
#include "barcode/reed_solomon.h"

namespace barcode {

namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<unsigned char> &bytes) : bytes_(bytes) {}

    void Put(unsigned value, unsigned width) {
        for (int bit = static_cast<int>(width) - 1; bit >= 0; --bit) {
            if (used_ % 8 == 0) bytes_.push_back(0);
            if ((value >> bit) & 1u) bytes_.back() |= static_cast<unsigned char>(0x80u >> (used_ % 8));
            ++used_;
        }
    }

private:
    std::vector<unsigned char> &bytes_;
    long used_ = 0;
};

}  // namespace

std::vector<unsigned char> DataCodewordsOf(const BitStream &stream, int version, TQRCode_EccLevel level) {
    const int capacity = DataCodewords(version, level);
    std::vector<unsigned char> bytes;
    bytes.reserve(capacity);
    BitWriter writer(bytes);
    for (std::uint32_t entry : stream) writer.Put(EntryValue(entry), EntryWidth(entry));
    const int bits = BitCountOf(stream);
    writer.Put(0, static_cast<unsigned>(std::clamp(capacity * 8 - bits, 0, 4)));
    bytes.resize(std::min<std::size_t>(bytes.size(), capacity));
    for (unsigned char pad = 0xEC; static_cast<int>(bytes.size()) < capacity; pad ^= 0xEC ^ 0x11) {
        bytes.push_back(pad);
    }
    return bytes;
}

std::vector<unsigned char> InterleaveWithParity(const std::vector<unsigned char> &data, int version,
                                                TQRCode_EccLevel level) {
    const int blocks = BlockCount(version, level);
    const int parity = ParityPerBlock(version, level);
    const int dataCount = static_cast<int>(data.size());
    // The first `shortBlocks` blocks hold one data codeword less than the others.
    const int shortBlocks = blocks - dataCount % blocks;
    const int longLength = (dataCount + shortBlocks) / blocks;
    std::vector<unsigned char> parityBytes(static_cast<std::size_t>(blocks) * parity);
    std::vector<int> blockStart(blocks);
    for (int b = 0, start = 0; b < blocks; ++b) {
        const int length = b < shortBlocks ? longLength - 1 : longLength;
        blockStart[b] = start;
        RS_Encode(static_cast<unsigned char>(parity), &parityBytes[static_cast<std::size_t>(b) * parity],
                  length, data.data() + start);
        start += length;
    }
    std::vector<unsigned char> result;
    result.reserve(TotalCodewords(version));
    for (int j = 0; j < longLength; ++j) {
        for (int b = 0; b < blocks; ++b) {
            if (j < longLength - 1 || b >= shortBlocks) result.push_back(data[blockStart[b] + j]);
        }
    }
    for (int j = 0; j < parity; ++j) {
        for (int b = 0; b < blocks; ++b)
            result.push_back(parityBytes[static_cast<std::size_t>(b) * parity + j]);
    }
    return result;
}

std::vector<unsigned char> LevelTwoCodewords(const BitStream &stream, int version, TQRCode_EccLevel level) {
    return InterleaveWithParity(DataCodewordsOf(stream, version, level), version, level);
}

}  // namespace barcode
