#include "qrpayload/bit_reader.h"

void BitReaderInit(BitReader &reader, const std::uint8_t *bytes, std::size_t n, std::size_t start) {
    reader.bytes.assign(bytes, bytes + n);
    reader.n = n;
    reader.position = start;
    reader.bitByte = 0;
    reader.pendingBits = 0;
    reader.endFlag = false;
}

bool BitReaderEof(const BitReader &reader) {
    return reader.endFlag;
}

int BitReaderGetBit(BitReader &reader) {
    if (reader.endFlag) return -1;
    if (reader.pendingBits == 0) {
        if (reader.position >= reader.n) {
            reader.endFlag = true;
            return -1;
        }
        reader.bitByte = reader.bytes[reader.position++];
        reader.pendingBits = 8;
    }
    --reader.pendingBits;
    return (reader.bitByte >> reader.pendingBits) & 1;
}

int BitReaderGetByte(BitReader &reader) {
    if (reader.endFlag) return -1;
    if (reader.position >= reader.n) {
        reader.endFlag = true;
        return -1;
    }
    return reader.bytes[reader.position++];
}
