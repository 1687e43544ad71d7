#pragma once
// The bit reader of the registration-document code: single bits (most significant first, from a
// bit byte loaded from the stream when needed) and whole bytes interleave in one byte stream.
#include <cstddef>
#include <cstdint>
#include <vector>

struct BitReader {
    std::vector<std::uint8_t> bytes;
    std::size_t n = 0;
    std::size_t position = 0;  // of the next unread byte
    std::uint8_t bitByte = 0;
    int pendingBits = 0;
    bool endFlag = false;
};

// Copies n bytes and starts reading at start (which may lie past the end).
void BitReaderInit(BitReader &reader, const std::uint8_t *bytes, std::size_t n, std::size_t start);
bool BitReaderEof(const BitReader &reader);
// 0 or 1, or -1 once the stream is used up.
int BitReaderGetBit(BitReader &reader);
// 0 to 255, or -1 once the stream is used up.
int BitReaderGetByte(BitReader &reader);
