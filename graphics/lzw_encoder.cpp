#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <type_traits>

#include "graphics/errors.h"
#include "graphics/lzw.h"

TZUB_LZWCommon::TZUB_LZWCommon(graphics::TStream &stream, int minimumCodeSize) : stream_(stream) {
    if (minimumCodeSize == 1) minimumCodeSize = 2;
    // Above 8 bits the pixels would not fit the suffix bytes and the first codes would
    // already fill the dictionary.
    if (minimumCodeSize < 2 || minimumCodeSize > 8)
        throw ELZWError("Unsupported Minimum Code Size - " + std::to_string(minimumCodeSize));
    minimumCodeSize_ = minimumCodeSize;
    clearCode_ = static_cast<uint16_t>(1 << minimumCodeSize);
    endCode_ = static_cast<uint16_t>(clearCode_ + 1);
}

void TZUB_LZWCommon::InitDictionary() {
    codeWidth_ = minimumCodeSize_ + 1;
    codeLimit_ = static_cast<uint16_t>(1 << codeWidth_);
    nextCode_ = static_cast<uint16_t>(clearCode_ + 2);
}

namespace {
// How many of the first `count` pixel values equal `pixel`, eight values a step through a
// 64-bit word.
int RunLength(const TColourIndex *pixels, int count, TColourIndex pixel) {
    const uint64_t repeated = pixel * uint64_t{0x0101010101010101};
    int n = 0;
    for (uint64_t word; n + 8 <= count; n += 8) {
        std::memcpy(&word, pixels + n, sizeof word);
        const uint64_t differ = word ^ repeated;
        if (differ == 0) continue;
        // The first value in memory is the word's low byte on a little-endian machine.
        const int same =
            std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
        return n + same / 8;
    }
    while (n < count && pixels[n] == pixel) ++n;
    return n;
}

int MinimumCodeSizeFor(TDIBFormat format) {
    switch (format) {
        case dtMonochrome:
            return 2;
        case dt4bit:
            return 4;
        case dt8bit:
            return 8;
        default:
            throw ELZWError("Cannot write an image with more than 256 colours as a GIF");
    }
}
}  // namespace

TZUB_LZWCompressor::TZUB_LZWCompressor(graphics::TStream &stream, TDIBFormat format, int64_t pixels,
                                       int indexBits)
    : TZUB_LZWCommon(stream, MinimumCodeSizeFor(format)) {
    // Each pixel defines at most one code.
    const int64_t codes = std::clamp<int64_t>(pixels, 64, kMaxCodes);
    int codeBits = 3;
    while ((int64_t{1} << codeBits) < codes) ++codeBits;
    SizeSlots(codeBits + 3);
    const int bits = std::clamp(indexBits, 1, minimumCodeSize_);
    directBits_ = bits <= kMaxDirectBits ? bits : 0;
    pixelsLeft_ = pixels;
    if (pixels >= kRunPathPixels) runCodes_ = std::make_unique<std::array<std::vector<uint16_t>, 256>>();
    // Rows of codes up to the last one the image can define (each pixel defines one at most).
    directRows_ = std::min<int64_t>(kMaxCodes, clearCode_ + 2 + std::max<int64_t>(pixels, 0));
    const auto size = static_cast<uint8_t>(minimumCodeSize_);
    WriteBlock(&size, 1);
}

TZUB_LZWCompressor::~TZUB_LZWCompressor() {
    try {
        Finish();
    } catch (const Exception &) {
        // A stream that refuses bytes has already been reported by the row that failed.
    }
}

void TZUB_LZWCompressor::WriteBlock(const uint8_t *data, int count) {
    if (stream_.Write(data, count) != count) throw ELZWError("Error writing to output stream");
}

void TZUB_LZWCompressor::SizeSlots(int bits) {
    tableBits_ = bits;
    tableMask_ = (1u << tableBits_) - 1;
}

void TZUB_LZWCompressor::AllocateChildren(int64_t rows) {
    // Left uninitialised: a row is cleared before it is first read (see children_).
    // With room behind the last row for a clear of the widest row's size.
    auto table = std::make_unique_for_overwrite<uint32_t[]>((static_cast<size_t>(rows) << directBits_) +
                                                            kWidestRowBytes / sizeof(uint32_t));
    if (children_)
        std::copy_n(children_.get(), static_cast<size_t>(childrenRows_) << directBits_, table.get());
    children_ = std::move(table);
    childrenRows_ = rows;
}

// The state that changes with every code, copied into locals for a run of codes: stores of code
// bytes could alias the coder's members and would make the loop load them again after each one.
// The steps are forced inline: out of line they cost a fifth of the time.
class TZUB_LZWCompressor::CodeState {
public:
    explicit CodeState(TZUB_LZWCompressor &coder)
        : coder_(coder), bits_(coder.bits_), bitCount_(coder.bitCount_), packedCount_(coder.packedCount_) {
        LoadDictionary();
    }
    // Gives the state back to the coder.
    void Store() {
        coder_.bits_ = bits_;
        coder_.bitCount_ = bitCount_;
        coder_.packedCount_ = packedCount_;
        coder_.nextCode_ = nextCode_;
        coder_.codeLimit_ = codeLimit_;
        coder_.codeWidth_ = codeWidth_;
    }
    [[gnu::always_inline]] void Put(uint16_t code) {
        bits_ |= static_cast<uint64_t>(code) << bitCount_;
        bitCount_ += codeWidth_;
        if (bitCount_ < 32) return;
        const auto low = static_cast<uint32_t>(bits_);
        const uint8_t bytes[4] = {static_cast<uint8_t>(low), static_cast<uint8_t>(low >> 8),
                                  static_cast<uint8_t>(low >> 16), static_cast<uint8_t>(low >> 24)};
        std::memcpy(coder_.packed_.data() + packedCount_, bytes, sizeof bytes);
        packedCount_ += 4;
        bits_ >>= 32;
        bitCount_ -= 32;
        if (packedCount_ >= kPackedBytes) {
            coder_.packedCount_ = packedCount_;
            coder_.FlushSubBlocks(false);
            packedCount_ = coder_.packedCount_;
        }
    }
    uint16_t NextCode() const { return nextCode_; }
    // Emits the code of the string matched so far, whose extension by one pixel was not found,
    // and gives that longer string the next code; a full dictionary starts again.
    [[gnu::always_inline]] void EndString(uint16_t prefix) {
        ++nextCode_;
        Put(prefix);
        if (nextCode_ >= kMaxCodes) {
            Put(coder_.clearCode_);
            coder_.StartDictionary();
            LoadDictionary();
        } else if (nextCode_ > codeLimit_) {
            ++codeWidth_;
            codeLimit_ = static_cast<uint16_t>(codeLimit_ * 2);
        }
    }

private:
    // The dictionary's part of the state, as the coder (re)started it.
    void LoadDictionary() {
        nextCode_ = coder_.nextCode_;
        codeLimit_ = coder_.codeLimit_;
        codeWidth_ = coder_.codeWidth_;
    }

    TZUB_LZWCompressor &coder_;
    uint64_t bits_;
    int bitCount_;
    int packedCount_;
    uint16_t nextCode_ = 0;
    uint16_t codeLimit_ = 0;
    int codeWidth_ = 0;
};

// The dictionary as the hash table: a string is named by its code; its place is its slot and the
// code found there. The table's addresses and size are kept here, in registers, not loaded from
// the coder again after every store of a code byte.
class TZUB_LZWCompressor::HashedChildren {
    // Words of well-mixed bits, one per pixel value (a 32-bit finaliser of the value).
    static constexpr std::array<uint32_t, 256> kPixelWords = [] {
        std::array<uint32_t, 256> words{};
        for (uint32_t v = 0; v < 256; ++v) {
            uint32_t x = (v + 1) * 0x9E3779B9u;
            x = (x ^ x >> 16) * 0x85EBCA6Bu;
            x = (x ^ x >> 13) * 0xC2B2AE35u;
            words[v] = x ^ x >> 16;
        }
        return words;
    }();

public:
    struct Place {
        uint32_t slot;
        uint32_t code;  // of the string found there, 0 for an empty slot
    };
    explicit HashedChildren(TZUB_LZWCompressor &coder)
        : slots_(coder.slots_.data()), used_(coder.usedSlots_.data()), mask_(coder.tableMask_) {}
    static uint32_t Named(uint16_t code) { return code; }
    static uint16_t Code(uint32_t string) { return static_cast<uint16_t>(string); }
    [[gnu::always_inline]] Place Find(uint32_t prefix, uint16_t pixel) const {
        // The first slot is the prefix mixed with a fixed random word of the pixel: one step
        // behind the previous string's code, where a multiplication would take several. Keys
        // that share a first slot part at once, on an odd step from a multiplicative hash.
        const uint32_t key = pixel | prefix << 8;
        uint32_t slot = (prefix ^ kPixelWords[pixel]) & mask_;
        if (!Used(slot)) return {slot, 0};
        uint32_t entry = slots_[slot];
        if ((entry & 0xFFFFF) == key) [[likely]]
            return {slot, entry >> 20};
        const uint32_t step = (key * 2654435761u >> 6 & mask_) | 1;
        for (;;) {
            slot = (slot + step) & mask_;
            if (!Used(slot)) return {slot, 0};
            entry = slots_[slot];
            if ((entry & 0xFFFFF) == key) return {slot, entry >> 20};
        }
    }
    // The string at the place, 0 when there is none.
    [[gnu::always_inline]] static uint32_t At(Place place) { return place.code; }
    [[gnu::always_inline]] void Define(Place place, uint32_t prefix, uint16_t pixel, uint16_t code) {
        slots_[place.slot] = pixel | prefix << 8 | static_cast<uint32_t>(code) << 20;
        used_[place.slot / 64] |= uint64_t{1} << (place.slot % 64);
    }
    static bool Used(const uint64_t *used, size_t slot) { return (used[slot / 64] >> (slot % 64) & 1) != 0; }

private:
    [[gnu::always_inline]] bool Used(uint32_t slot) const { return Used(used_, slot); }

    uint32_t *slots_;
    uint64_t *used_;
    uint32_t mask_;
};

void TZUB_LZWCompressor::StartDictionary() {
    InitDictionary();
    if (directBits_ > 0) {
        if (!children_) AllocateChildren(directRows_);
        std::fill_n(children_.get(), size_t{1} << (2 * directBits_), 0);
    } else if (slots_.empty()) {
        AllocateSlots();
    } else {
        std::fill(usedSlots_.begin(), usedSlots_.end(), 0);
    }
    if (runCodes_)
        for (auto &codes : *runCodes_) codes.clear();
}

void TZUB_LZWCompressor::AllocateSlots() {
    slots_.assign(size_t{tableMask_} + 1, 0);
    usedSlots_.assign((size_t{tableMask_} + 64) / 64, 0);
}

void TZUB_LZWCompressor::GrowSlots() {
    const std::vector<uint32_t> strings = std::move(slots_);
    const std::vector<uint64_t> used = std::move(usedSlots_);
    SizeSlots(kFullTableBits);
    slots_.clear();
    usedSlots_.clear();
    if (strings.empty()) return;  // not started: the first row allocates the table
    AllocateSlots();
    HashedChildren children(*this);
    for (size_t slot = 0; slot < strings.size(); ++slot) {
        if (!HashedChildren::Used(used.data(), slot)) continue;
        const uint32_t entry = strings[slot];
        const auto pixel = static_cast<uint16_t>(entry & 0xFF);
        const uint32_t prefix = entry >> 8 & 0xFFF;
        children.Define(children.Find(prefix, pixel), prefix, pixel, static_cast<uint16_t>(entry >> 20));
    }
}

// The dictionary as the plain table of narrow images.
class TZUB_LZWCompressor::DirectChildren {
public:
    explicit DirectChildren(TZUB_LZWCompressor &coder)
        : table_(coder.children_.get()), bits_(coder.directBits_), rows_(coder.childrenRows_) {}
    // A string is named by where its row starts, its code shifted: matching a pixel takes no
    // shift behind the load of the previous string.
    using Place = uint32_t;
    uint32_t Named(uint16_t code) const { return static_cast<uint32_t>(code) << bits_; }
    uint16_t Code(uint32_t string) const { return static_cast<uint16_t>(string >> bits_); }
    [[gnu::always_inline]] static Place Find(uint32_t prefix, uint16_t pixel) { return prefix | pixel; }
    [[gnu::always_inline]] uint32_t At(Place place) const { return table_[place]; }
    [[gnu::always_inline]] void Define(Place place, uint32_t, uint16_t, uint16_t code) {
        table_[place] = Named(code);
        // Always the widest row's bytes, in fixed stores of 64 bytes (a larger one is a string
        // instruction) instead of a call: what lies beyond a narrow row belongs to codes not yet
        // defined, cleared again when they are.
        if (code < rows_) {
            uint32_t *row = table_ + (static_cast<size_t>(code) << bits_);
            for (size_t k = 0; k < kWidestRowBytes / 64; ++k) std::memset(row + 16 * k, 0, 64);
        }
    }

private:
    uint32_t *table_;
    int bits_;
    int64_t rows_;
};

bool TZUB_LZWCompressor::WriteRow(TDIBMappedReader &reader) {
    const int width = reader.GetWidth();
    if (row_.size() < static_cast<size_t>(width)) row_.resize(static_cast<size_t>(width));
    const int count = reader.GetNextColourIndexes(row_.data(), width);
    WriteIndexes(row_.data(), count);
    return count == width;
}

void TZUB_LZWCompressor::WriteIndexes(const TColourIndex *pixels, int count) {
    if (directBits_ > 0) {
        runCodes_ ? WriteIndexesWith<DirectChildren, true>(pixels, count)
                  : WriteIndexesWith<DirectChildren, false>(pixels, count);
    } else {
        runCodes_ ? WriteIndexesWith<HashedChildren, true>(pixels, count)
                  : WriteIndexesWith<HashedChildren, false>(pixels, count);
    }
}

template <class Children>
TZUB_LZWCompressor::RunStep TZUB_LZWCompressor::FollowRun(Children children, const TColourIndex *row,
                                                          int count, TColourIndex pixel, int length) {
    // codes[k] is the code of the run of k + 2 pixels; the list takes runs from the hash table as
    // far as the rows have asked for them. Their codes do not depend on each other, so a run of
    // the row is matched without the hash table's chain of loads.
    std::vector<uint16_t> &codes = (*runCodes_)[pixel];
    const auto longer = static_cast<size_t>(length - 1);
    // The next run's code from the table, 0 when the dictionary does not have it.
    const auto next = [&] {
        const uint16_t run = codes.empty() ? pixel : codes.back();
        return children.Code(children.At(children.Find(children.Named(run), pixel)));
    };
    // The dictionary has the current string and the shorter runs.
    while (codes.size() < longer) codes.push_back(next());
    int taken = 0;
    for (;;) {
        const int limit = std::min(count, static_cast<int>(codes.size() - longer));
        taken += RunLength(row + taken, limit - taken, pixel);
        if (taken < limit || taken == count || row[taken] != pixel) break;
        const uint16_t code = next();
        if (code == 0) break;
        codes.push_back(code);
    }
    return {taken, taken > 0 ? codes[longer + static_cast<size_t>(taken) - 1] : uint16_t{0}};
}

template <class Children>
void TZUB_LZWCompressor::NoteOpenRun(Children children, TColourIndex last, uint16_t code, int openRun) {
    // A string the run list did not take to the row's end is a run only when it is short, when
    // its code is that of one of the shortest runs of its last pixel.
    uint16_t run = last;
    for (int length = 1; openRun == 0 && length < kRunPathLength && run != 0; ++length) {
        if (run == code) openRun = length;
        run = children.Code(children.At(children.Find(children.Named(run), last)));
    }
    runPixel_ = openRun > 0 ? last : 256;
    runLength_ = openRun;
}

template <class Children, bool Runs>
void TZUB_LZWCompressor::WriteIndexesWith(const TColourIndex *row, int count) {
    pixelsLeft_ -= count;
    if constexpr (std::is_same_v<Children, DirectChildren>) {
        // A pixel beyond the table's width would overrun it.
        if (JoinedBits(row, count) >> directBits_ != 0)
            throw ELZWError("Pixel index beyond the image's colours");
        if (pixelsLeft_ < 0 && childrenRows_ < kMaxCodes) AllocateChildren(kMaxCodes);
    } else if (pixelsLeft_ < 0 && tableBits_ < kFullTableBits) {
        GrowSlots();
    }
    const bool start = !started_ && count > 0;
    if (start) StartDictionary();
    CodeState out(*this);
    // The matched string stays in registers: the row's bytes could alias the members.
    Children children(*this);
    uint32_t prefix = 0;
    int i = 0;
    int openRun = 0;
    // The current string, a run of `length` pixels of `pixel`, goes on down the run list.
    const auto followRun = [&](TColourIndex pixel, int length) [[gnu::always_inline]] {
        const RunStep step = FollowRun(children, row + i, count - i, pixel, length);
        if (step.taken > 0) prefix = children.Named(step.code);
        i += step.taken;
        if (i == count) openRun = length + step.taken;
    };
    // Whether the string started at the pixel before i is a run of kRunPathLength pixels or more.
    const auto startsRun = [&](TColourIndex pixel) [[gnu::always_inline]] {
        uint64_t eight;
        return count - i >= kRunPathLength - 1 &&
               (std::memcpy(&eight, row + i - 1, sizeof eight), eight == pixel * uint64_t{0x0101010101010101});
    };
    if (start) {
        out.Put(clearCode_);
        started_ = true;
        ++i;
        prefix = children.Named(row[0]);
        if (Runs && startsRun(row[0])) followRun(row[0], 1);
    } else {
        prefix = children.Named(currentPrefix_);
        if (Runs && count > 0 && row[0] == runPixel_) followRun(row[0], runLength_);
    }
    while (i < count) {
        // The pixels' loop makes no call but to start the dictionary again and to write sub-blocks:
        // a run leaves it for the run list, so that its variables need not live across a call.
        while (i < count) {
            const TColourIndex pixel = row[i];
            const auto place = children.Find(prefix, pixel);
            ++i;
            if (const uint32_t string = children.At(place); string != 0) {
                prefix = string;
                continue;
            }
            children.Define(place, prefix, pixel, out.NextCode());
            out.EndString(children.Code(prefix));
            prefix = children.Named(pixel);
            if (Runs && startsRun(pixel)) [[unlikely]]
                break;
        }
        if (i < count) followRun(row[i - 1], 1);
    }
    out.Store();
    currentPrefix_ = children.Code(prefix);
    if (Runs && count > 0) NoteOpenRun(children, row[count - 1], currentPrefix_, openRun);
}

void TZUB_LZWCompressor::FlushSubBlocks(bool all) {
    int at = 0;
    while (packedCount_ - at >= 255 || (all && packedCount_ > at)) {
        const auto length = static_cast<uint8_t>(std::min(255, packedCount_ - at));
        WriteBlock(&length, 1);
        WriteBlock(packed_.data() + at, length);
        at += length;
    }
    std::memmove(packed_.data(), packed_.data() + at, static_cast<size_t>(packedCount_ - at));
    packedCount_ -= at;
}

void TZUB_LZWCompressor::Finish() {
    if (!started_) return;
    started_ = false;
    CodeState out(*this);
    out.Put(currentPrefix_);
    out.Put(endCode_);
    out.Store();
    for (; bitCount_ > 0; bitCount_ -= 8, bits_ >>= 8) packed_[packedCount_++] = static_cast<uint8_t>(bits_);
    bitCount_ = 0;
    bits_ = 0;
    FlushSubBlocks(true);
    const uint8_t terminator = 0;
    WriteBlock(&terminator, 1);
}
