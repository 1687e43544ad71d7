#include "graphics/dib_iterators.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "graphics/dither.h"
#include "graphics/errors.h"

namespace {

int64_t PaddedRowSize(const TDeviceIndependentBitmap &dib) {
    return TDeviceIndependentBitmap::CalcDIBSize(dib.GetDIBType(), dib.GetWidth(), 1);
}

uint16_t LoadWord(const uint8_t *p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t LoadDWord(const uint8_t *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

TDIBIterator::TDIBIterator(const TDeviceIndependentBitmap &dib)
    // Readers and writers share one class tree; a reader never stores through the pointer.
    : pixelRows_(const_cast<uint8_t *>(dib.PixelRows())),
      paddedRowSize_(PaddedRowSize(dib)),
      width_(dib.GetWidth()),
      height_(dib.GetHeight()),
      topDown_(dib.IsTopDown()) {
    SetClipRect(0, 0, width_ - 1, height_ - 1);
}

void TDIBIterator::SetClipRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_ - 1);
    bottom = std::min(bottom, height_ - 1);
    if (right < left || bottom < top) throw EScanError("Invalid Clipping rectangle");
    clipLeft_ = left;
    clipTop_ = top;
    clipRight_ = right;
    clipBottom_ = bottom;
    Reset(0, 1);
}

void TDIBIterator::Reset(int firstRow, int step) {
    if (firstRow < 0 || step < 1) throw EScanError("Invalid row step");
    endOfImage_ = false;
    const int64_t displayed = int64_t{clipTop_} + firstRow;
    const int64_t rows = (clipBottom_ + 1 - displayed + step - 1) / step;
    if (rows <= 0) {
        // Nothing to visit: keep the cursor on a valid row with nothing left in it.
        endOfImage_ = true;
        rowsRemaining_ = 0;
        pixelsRemaining_ = 0;
        rowPointer_ = pixelRows_;
        return;
    }
    const int64_t stored = topDown_ ? displayed : height_ - 1 - displayed;
    rowPointer_ = pixelRows_ + stored * paddedRowSize_;
    rowsRemaining_ = static_cast<int>(rows);
    rowStep_ = paddedRowSize_ * step * (topDown_ ? 1 : -1);
    SetBackwardsScan(backwards_);
}

void TDIBIterator::NextRow() {
    if (endOfImage_) return;
    Flush();
    if (--rowsRemaining_ <= 0) {
        endOfImage_ = true;
        return;
    }
    rowPointer_ += rowStep_;
    SetBackwardsScan(backwards_);
}

void TDIBIterator::SetBackwardsScan(bool backwards) {
    backwards_ = backwards;
    pixelsRemaining_ = endOfImage_ ? 0 : GetWidth();
    column_ = backwards ? clipRight_ : clipLeft_;
}

void TDIBIterator::SkipPixels(int n) {
    n = std::clamp(n, 0, pixelsRemaining_);
    column_ += backwards_ ? -n : n;
    pixelsRemaining_ -= n;
}

void TDIBIterator::SetMasks(uint32_t red, uint32_t green, uint32_t blue) {
    const uint32_t masks[3] = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        masks_[i] = masks[i];
        // A channel without bits reads as 0 and is not stored.
        shifts_[i] = masks[i] == 0 ? 0 : std::countr_zero(masks[i]) + std::popcount(masks[i]) - 8;
    }
}

void TDIBIterator::UnpackMasked(uint32_t pixel, uint8_t &red, uint8_t &green, uint8_t &blue) const {
    uint8_t *channels[3] = {&red, &green, &blue};
    for (int i = 0; i < 3; ++i) {
        const uint32_t v = pixel & masks_[i];
        *channels[i] = static_cast<uint8_t>(shifts_[i] >= 0 ? v >> shifts_[i] : v << -shifts_[i]);
    }
}

uint32_t TDIBIterator::PackMasked(uint8_t red, uint8_t green, uint8_t blue) const {
    const uint32_t channels[3] = {red, green, blue};
    uint32_t pixel = 0;
    for (int i = 0; i < 3; ++i) {
        const uint32_t v = shifts_[i] >= 0 ? channels[i] << shifts_[i] : channels[i] >> -shifts_[i];
        pixel |= v & masks_[i];
    }
    return pixel;
}

void TDIBWriter::FillColour(uint8_t red, uint8_t green, uint8_t blue) {
    Reset(0, 1);
    while (!EndOfImage()) {
        while (SetNextPixel(red, green, blue)) {
        }
        NextRow();
    }
}

void TDIBWriter::CheckSameWidth(const TDIBReader &reader) const {
    if (reader.GetWidth() != GetWidth())
        throw EScanError("Cannot Set a Row from a DIB with a different number of coloums");
}

void TDIBWriter::SetRowFrom(TDIBReader &reader) {
    CheckSameWidth(reader);
    uint8_t r, g, b;
    while (reader.GetNextPixel(r, g, b)) SetNextPixel(r, g, b);
}

void TDIBWriter::CopyDIB(const TDeviceIndependentBitmap &source, const TProgressCallback &progress) {
    if (source.GetHeight() != GetHeight())
        throw EScanError("Cannot copy DIBs with different numbers of rows");
    const std::unique_ptr<TDIBReader> reader = source.GetReader();
    do {
        SetRowFrom(*reader);
        if (progress) progress(*this);
        reader->NextRow();
        NextRow();
    } while (!reader->EndOfImage());
}

TDIBMappedReader::TDIBMappedReader(const TDeviceIndependentBitmap &dib) : TDIBReader(dib) {
    const TRGBQuad *table = dib.GetColourTable();
    colourCount_ = table ? std::min(dib.GetNumColours(), static_cast<int>(colours_.size())) : 0;
    for (int i = 0; i < colourCount_; ++i) colours_[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
}

bool TDIBMappedReader::GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) {
    TColourIndex index;
    if (!GetNextColourIndex(index)) return false;
    // A pixel may hold any index its bits allow; those beyond the colour table read as black.
    const TPaletteEntry e = index < colourCount_ ? colours_[index] : TPaletteEntry{};
    red = e.peRed;
    green = e.peGreen;
    blue = e.peBlue;
    return true;
}

TDIBMappedWriter::TDIBMappedWriter(const TDeviceIndependentBitmap &dib)
    : TDIBWriter(dib), palette_(dib), dithererClass_(&TNoDither::Create) {
    ditherer_ = dithererClass_(*this, palette_);
}

TDIBMappedWriter::~TDIBMappedWriter() = default;

void TDIBMappedWriter::FillColour(uint8_t red, uint8_t green, uint8_t blue) {
    const TColourIndex index = palette_.GetNearestIndex(red, green, blue);
    Reset(0, 1);
    while (!EndOfImage()) {
        while (SetNextIndex(index)) {
        }
        NextRow();
    }
}

bool TDIBMappedWriter::SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) {
    return SetNextIndex(palette_.GetNearestIndex(red, green, blue));
}

void TDIBMappedWriter::SetRowFrom(TDIBReader &reader) {
    CheckSameWidth(reader);
    palette_.InitCache();
    ditherer_->SetRowIndicies(reader);
}

void TDIBMappedWriter::SetPalette(const TLogicalPalette &palette) {
    palette_.Assign(palette);
    ditherer_ = dithererClass_(*this, palette_);
}

void TDIBMappedWriter::SetDitherer(TDithererClass ditherer) {
    ditherer_.reset();
    dithererClass_ = ditherer;
    ditherer_ = dithererClass_(*this, palette_);
}

int TDIBMappedReader::GetNextColourIndexes(TColourIndex *indexes, int count) {
    int n = 0;
    while (n < count && GetNextColourIndex(indexes[n])) ++n;
    return n;
}

int TDIBMappedWriter::SetNextIndexes(const TColourIndex *indexes, int count) {
    int n = 0;
    while (n < count && SetNextIndex(indexes[n])) ++n;
    return n;
}

namespace {

// Index of column c of a packed row, and its replacement, at 1 and 4 bits a pixel.
TColourIndex Index1(const uint8_t *row, int c) {
    return (row[c >> 3] >> (7 - (c & 7))) & 1;
}
TColourIndex Index4(const uint8_t *row, int c) {
    const uint8_t byte = row[c >> 1];
    return (c & 1) ? byte & 0x0F : byte >> 4;
}
// Per byte of a 1-bit row, its eight indexes in memory order (on a little-endian machine).
constexpr std::array<uint64_t, 256> kSpreadBits = [] {
    std::array<uint64_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        for (int k = 0; k < 8; ++k) table[byte] |= static_cast<uint64_t>((byte >> (7 - k)) & 1) << (8 * k);
    return table;
}();
void Put1(uint8_t *row, int c, TColourIndex index) {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (c & 7));
    uint8_t &byte = row[c >> 3];
    byte = index ? byte | bit : byte & ~bit;
}
void Put4(uint8_t *row, int c, TColourIndex index) {
    uint8_t &byte = row[c >> 1];
    byte = (c & 1) ? (byte & 0xF0) | (index & 0x0F) : static_cast<uint8_t>((byte & 0x0F) | index << 4);
}

}  // namespace

bool TDIB1Reader::GetNextColourIndex(TColourIndex &index) {
    int c;
    if (!Advance(c)) return false;
    index = Index1(Row(), c);
    return true;
}

int TDIB1Reader::GetNextColourIndexes(TColourIndex *indexes, int count) {
    const uint8_t *row = Row();
    if (Backwards() || std::endian::native != std::endian::little)
        return ForEachInRun(count, [row, indexes](int c, int i) { indexes[i] = Index1(row, c); });
    // Forwards, whole bytes of the row are spread to eight indexes by one table lookup.
    int first = 0;
    const int n = AdvanceRun(count, first);
    int i = 0;
    for (; i < n && (first + i) % 8 != 0; ++i) indexes[i] = Index1(row, first + i);
    for (; i + 8 <= n; i += 8) std::memcpy(indexes + i, &kSpreadBits[row[(first + i) / 8]], 8);
    for (; i < n; ++i) indexes[i] = Index1(row, first + i);
    return n;
}

bool TDIB4Reader::GetNextColourIndex(TColourIndex &index) {
    int c;
    if (!Advance(c)) return false;
    index = Index4(Row(), c);
    return true;
}

int TDIB4Reader::GetNextColourIndexes(TColourIndex *indexes, int count) {
    const uint8_t *row = Row();
    return ForEachInRun(count, [row, indexes](int c, int i) { indexes[i] = Index4(row, c); });
}

bool TDIB8Reader::GetNextColourIndex(TColourIndex &index) {
    int c;
    if (!Advance(c)) return false;
    index = Row()[c];
    return true;
}

int TDIB8Reader::GetNextColourIndexes(TColourIndex *indexes, int count) {
    int first;
    const int n = AdvanceRun(count, first);
    const uint8_t *row = Row() + first;
    if (!Backwards()) {
        std::copy_n(row, n, indexes);
        return n;
    }
    for (int i = 0; i < n; ++i) indexes[i] = row[-i];
    return n;
}

bool TDIB1Writer::SetNextIndex(TColourIndex index) {
    int c;
    if (!Advance(c)) return false;
    Put1(Row(), c, index);
    return true;
}

int TDIB1Writer::SetNextIndexes(const TColourIndex *indexes, int count) {
    uint8_t *row = Row();
    return ForEachInRun(count, [row, indexes](int c, int i) { Put1(row, c, indexes[i]); });
}

bool TDIB4Writer::SetNextIndex(TColourIndex index) {
    int c;
    if (!Advance(c)) return false;
    Put4(Row(), c, index);
    return true;
}

int TDIB4Writer::SetNextIndexes(const TColourIndex *indexes, int count) {
    uint8_t *row = Row();
    if (Backwards()) return ForEachInRun(count, [row, indexes](int c, int i) { Put4(row, c, indexes[i]); });
    // Forwards, whole bytes are written two pixels at a time.
    int first = 0;
    const int n = AdvanceRun(count, first);
    int i = 0;
    if (n > 0 && (first & 1) != 0) Put4(row, first + i, indexes[i]), ++i;
    uint8_t *pair = row + ((first + i) >> 1);
    for (; i + 1 < n; i += 2) *pair++ = static_cast<uint8_t>(indexes[i] << 4 | (indexes[i + 1] & 0x0F));
    if (i < n) Put4(row, first + i, indexes[i]);
    return n;
}

bool TDIB8Writer::SetNextIndex(TColourIndex index) {
    int c;
    if (!Advance(c)) return false;
    Row()[c] = index;
    return true;
}

int TDIB8Writer::SetNextIndexes(const TColourIndex *indexes, int count) {
    int first;
    const int n = AdvanceRun(count, first);
    const int step = Backwards() ? -1 : 1;
    uint8_t *row = Row() + first;
    for (int i = 0; i < n; ++i, row += step) *row = indexes[i];
    return n;
}

TDIB16Reader::TDIB16Reader(const TDeviceIndependentBitmap &dib) : TDIBReader(dib) {
    SetMasks(dib.GetRedMask(), dib.GetGreenMask(), dib.GetBlueMask());
}

bool TDIB16Reader::GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) {
    int c;
    if (!Advance(c)) return false;
    UnpackMasked(LoadWord(Row() + 2 * c), red, green, blue);
    return true;
}

bool TDIB24Reader::GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) {
    int c;
    if (!Advance(c)) return false;
    const uint8_t *p = Row() + 3 * c;
    blue = p[0];
    green = p[1];
    red = p[2];
    return true;
}

TDIB32Reader::TDIB32Reader(const TDeviceIndependentBitmap &dib) : TDIBReader(dib) {
    SetMasks(dib.GetRedMask(), dib.GetGreenMask(), dib.GetBlueMask());
}

bool TDIB32Reader::GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) {
    int c;
    if (!Advance(c)) return false;
    UnpackMasked(LoadDWord(Row() + 4 * c), red, green, blue);
    return true;
}

TDIB16Writer::TDIB16Writer(const TDeviceIndependentBitmap &dib) : TDIBWriter(dib) {
    SetMasks(dib.GetRedMask(), dib.GetGreenMask(), dib.GetBlueMask());
}

bool TDIB16Writer::SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) {
    int c;
    if (!Advance(c)) return false;
    const uint32_t pixel = PackMasked(red, green, blue);
    uint8_t *p = Row() + 2 * c;
    p[0] = pixel & 0xFF;
    p[1] = (pixel >> 8) & 0xFF;
    return true;
}

bool TDIB24Writer::SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) {
    int c;
    if (!Advance(c)) return false;
    uint8_t *p = Row() + 3 * c;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
    return true;
}

TDIB32Writer::TDIB32Writer(const TDeviceIndependentBitmap &dib) : TDIBWriter(dib) {
    SetMasks(dib.GetRedMask(), dib.GetGreenMask(), dib.GetBlueMask());
}

bool TDIB32Writer::SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) {
    int c;
    if (!Advance(c)) return false;
    const uint32_t pixel = PackMasked(red, green, blue);
    uint8_t *p = Row() + 4 * c;
    for (int i = 0; i < 4; ++i) p[i] = (pixel >> (8 * i)) & 0xFF;
    return true;
}
