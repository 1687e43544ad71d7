#pragma once
// The variable-width LZW coder of GIF image data. The writer turns rows of palette indexes into
// the minimum code size byte and data sub-blocks; the reader turns them back. Both work one row
// at a time and keep their coding state between rows, so rows may come in interlaced order.
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/dib.h"
#include "graphics/dib_iterators.h"
#include "graphics/stream.h"

// The bits set in any of the pixel values, eight values a step through a 64-bit word.
inline TColourIndex JoinedBits(const TColourIndex *pixels, int count) {
    uint64_t joined = 0;
    int i = 0;
    for (uint64_t word; i + 8 <= count; i += 8) {
        std::memcpy(&word, pixels + i, sizeof word);
        joined |= word;
    }
    for (; i < count; ++i) joined |= pixels[i];
    for (int shift = 32; shift >= 8; shift /= 2) joined |= joined >> shift;
    return static_cast<TColourIndex>(joined);
}

using TStackIndex = int;

class TZUB_LZWCommon {
public:
    static constexpr int kMaxCodes = 4096;

    TZUB_LZWCommon(const TZUB_LZWCommon &) = delete;
    TZUB_LZWCommon &operator=(const TZUB_LZWCommon &) = delete;
    // The minimum code size in use (a size of 1 reads as 2).
    int MinimumCodeSize() const { return minimumCodeSize_; }

protected:
    // A minimum code size of 1 counts as 2; outside 2..8 raises ELZWError.
    TZUB_LZWCommon(graphics::TStream &stream, int minimumCodeSize);
    ~TZUB_LZWCommon() = default;
    void InitDictionary();

    uint16_t codeLimit_ = 0;
    uint16_t nextCode_ = 0;
    int minimumCodeSize_;
    int codeWidth_ = 0;
    uint16_t clearCode_;
    uint16_t endCode_;
    bool started_ = false;
    // Sub-block bytes with slack behind them: codes are stored and loaded 3 bytes at a time, and
    // the reader may join short sub-blocks until it holds 3 bytes.
    std::array<uint8_t, 255 + 8> buffer_{};
    int position_ = 0;
    int blockEnd_ = 255;
    int bitOffset_ = 0;
    graphics::TStream &stream_;
    std::vector<TColourIndex> row_;  // the pixels of one row, sized by the first row
};

class TZUB_LZWCompressor : public TZUB_LZWCommon {
public:
    // Minimum code size 2, 4 or 8 for 1-, 4- and 8-bit images, written to the stream at once.
    // `pixels`, when known, bounds the codes a small image can define, so that its dictionary
    // table is no larger than they need; `indexBits`, when known, the bits its pixel values take
    // (a row with a larger value raises ELZWError).
    TZUB_LZWCompressor(graphics::TStream &stream, TDIBFormat format, int64_t pixels = kMaxCodes,
                       int indexBits = 8);
    // Ends the data (see Finish); errors are not reported from here.
    ~TZUB_LZWCompressor();
    // Codes the reader's current row; true when every pixel of it was taken.
    bool WriteRow(TDIBMappedReader &reader);
    // Codes `count` pixel values, continuing the string of the previous call (rows may come whole
    // or in any cut: the bytes are the same).
    void WriteIndexes(const TColourIndex *pixels, int count);
    // Writes the last codes, the final sub-block and the block terminator.
    void Finish();

private:
    class CodeState;
    class HashedChildren;
    class DirectChildren;
    template <class Children, bool Runs>
    void WriteIndexesWith(const TColourIndex *row, int count);
    void WriteBlock(const uint8_t *data, int count);
    void StartDictionary();

    // Eight times the codes the image can define (at most 4096, 128 KiB): at most an eighth
    // full, first probes seldom collide. Coding more pixels than the table was sized for moves
    // its strings to a table for every code.
    static constexpr int kFullTableBits = 15;
    int tableBits_ = kFullTableBits;
    uint32_t tableMask_ = 0;
    void SizeSlots(int bits);
    void AllocateSlots();
    void GrowSlots();
    // The dictionary as an open-addressed hash table, on the heap, allocated when the first row
    // starts it. A slot holds the string's last pixel in bits 0-7, the code of the rest of the
    // string in bits 8-19 and the string's own code in bits 20-31.
    std::vector<uint32_t> slots_;
    // A bit per slot, set when the slot holds a string. A string not in the dictionary, which
    // ends the string matched, is mostly told by its first slot's bit: this table of 4 KiB stays
    // in the first-level cache where the slots do not, and the mispredicted branch that ends a
    // string waits less. Starting the dictionary again clears the bits, not the slots.
    std::vector<uint64_t> usedSlots_;
    // With at most 32 pixel values the dictionary is a plain table instead: at prefix *
    // 2^directBits_ + pixel the code of string `prefix` extended by `pixel`, times 2^directBits_
    // (where that string's own row starts), 0 when there is none. A code's entries are cleared
    // when the code is defined and the single pixels' ones when the dictionary starts, so nothing
    // else of the table is ever read and it is never cleared whole.
    static constexpr int kMaxDirectBits = 5;
    static constexpr size_t kWidestRowBytes = sizeof(uint32_t) << kMaxDirectBits;
    int directBits_ = 0;  // 0: the hash table
    std::unique_ptr<uint32_t[]> children_;
    int64_t childrenRows_ = 0;
    int64_t directRows_ = 0;  // rows the image needs
    // Pixels the table was sized for: coding more grows it to every code.
    int64_t pixelsLeft_ = 0;
    void AllocateChildren(int64_t rows);
    uint16_t currentPrefix_ = 0;
    // Strings of one pixel repeated (uniform areas) are also listed per pixel: the codes of its
    // runs of 2, 3, ... pixels, so a run in the row is matched by indexing the list, not by a
    // chain of hash probes. A string whose first kRunPathLength pixels are one takes this way
    // from its start; the check is made once per string, so that the pixels of other strings pay
    // nothing for it. Small images, whose runs are short and few, neither keep the lists nor
    // follow the runs (runCodes_ is null).
    static constexpr int kRunPathLength = 8;
    static constexpr int64_t kRunPathPixels = int64_t{1} << 14;
    std::unique_ptr<std::array<std::vector<uint16_t>, 256>> runCodes_;
    struct RunStep {
        int taken;      // pixels of the row matched
        uint16_t code;  // the code of the longer run, when any were
    };
    // Extends the current string, a run of `length` pixels of `pixel`, by the pixels from `row` on
    // (`count` of them) that the row and the dictionary's runs share.
    template <class Children>
    RunStep FollowRun(Children children, const TColourIndex *row, int count, TColourIndex pixel,
                      int length);
    // Keeps the string left open at the end of a row for the next: runLength_ pixels of
    // runPixel_, or no run when runPixel_ is 256. `last` is its last pixel, `code` its code and
    // `openRun` its length when the run list took it to the row's end.
    template <class Children>
    void NoteOpenRun(Children children, TColourIndex last, uint16_t code, int openRun);
    int runLength_ = 0;
    int runPixel_ = 256;

    // Codes are packed into a 64-bit register and stored 4 bytes at a time; whole sub-blocks go
    // to the stream once 16 of them are held.
    void FlushSubBlocks(bool all);
    static constexpr int kPackedBytes = 255 * 16;
    std::array<uint8_t, kPackedBytes + 8> packed_;  // written before read: left uninitialised
    int packedCount_ = 0;
    uint64_t bits_ = 0;
    int bitCount_ = 0;
};

class TZUB_LZWDecompressor : public TZUB_LZWCommon {
public:
    // Reads the minimum code size byte.
    explicit TZUB_LZWDecompressor(graphics::TStream &stream);
    // Skips what is left of the image data, up to and including the block terminator.
    ~TZUB_LZWDecompressor();
    // Decodes one row into the writer; false when the data ended before the row was full.
    bool ReadRow(TDIBMappedWriter &writer);
    uint16_t ReadBits(int width);
    uint16_t DecodeString(uint16_t count, uint16_t code);

private:
    void Refill();
    uint16_t NextCode();

    // Per code: the code of the string without its last pixel, and that pixel.
    std::array<uint16_t, kMaxCodes> prefix_;
    std::array<uint8_t, kMaxCodes> suffix_;
    uint16_t previousCode_ = 0;
    uint16_t firstPixel_ = 0;
    bool endOfData_ = false;
    bool finished_ = false;
    std::array<uint16_t, kMaxCodes + 1> stack_;
    uint16_t stackCount_ = 0;
};
