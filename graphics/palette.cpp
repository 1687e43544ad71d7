#include "graphics/palette.h"

#include <cmath>
#include <numbers>
#include <string>

#include "graphics/dib.h"
#include "graphics/errors.h"

namespace {

// The twenty colours a display reserves: the sixteen base colours and four pale tones.
constexpr TPaletteEntry kDefaultColours[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0}};

std::string IndexMessage(int index) {
    return "Invalid palette index (" + std::to_string(index) + ")";
}

// Adds one channel's contribution to the least and greatest distance from an entry value to
// the cells of a box spanning [low, high] (cell centres) with the channel's weight.
void AddChannelBounds(int value, int low, int high, int weight, int &minDist, int &maxDist) {
    const int centre = (low + high) >> 1;
    const auto sq = [weight](int d) { return (weight * d) * (weight * d); };
    if (value < low) {
        minDist += sq(value - low);
        maxDist += sq(value - high);
    } else if (value > high) {
        minDist += sq(value - high);
        maxDist += sq(value - low);
    } else {
        maxDist += value <= centre ? sq(value - high) : sq(value - low);
    }
}

}  // namespace

TLogicalPalette::TLogicalPalette(TDefaultPalettes kind) {
    if (kind == dpColour) {
        ReAlloc(20);
        for (int i = 0; i < 20; ++i) entries_[i] = kDefaultColours[i];
        count_ = 20;
    } else if (kind == dpGrayscale) {
        SetupGrayscalePalette();
    }
}

TLogicalPalette::TLogicalPalette(const TDeviceIndependentBitmap &dib) {
    Assign(dib);
}

TLogicalPalette::TLogicalPalette(const TLogicalPalette &source) {
    Assign(source);
}

void TLogicalPalette::Assign(const TLogicalPalette &source) {
    if (&source == this) return;
    entries_ = source.entries_;
    count_ = source.count_;
    exact_ = source.exact_;
    // The inverse map holds the exact colours a quantised palette was built from; a copy answers
    // them alike.
    cache_ = source.cache_ ? std::make_unique<graphics::TColourCube>(*source.cache_) : nullptr;
}

void TLogicalPalette::Assign(const TDeviceIndependentBitmap &dib) {
    if (dib.GetColourBits() <= 8) {
        CopyDIBColourTable(dib);
    } else {
        Clear();
    }
    exact_ = true;
}

void TLogicalPalette::SetupGrayscalePalette() {
    ReAlloc(64);
    for (int i = 0; i < 64; ++i) {
        const auto v = static_cast<uint8_t>(std::lround(255.0 * std::sin(i * std::numbers::pi / 126.0)));
        entries_[i] = {v, v, v, 0};
    }
    count_ = 64;
    exact_ = true;
}

void TLogicalPalette::ReAlloc(int n) {
    entries_.assign(n > 0 ? static_cast<size_t>(n) : 0, TPaletteEntry{});
    count_ = 0;
    FreeCache();
}

void TLogicalPalette::Clear() {
    ReAlloc(0);
}

void TLogicalPalette::SetCount(int count) {
    if (count < 0 || count > static_cast<int>(entries_.size())) throw ELogPalError(IndexMessage(count));
    count_ = count;
}

void TLogicalPalette::CopyDIBColourTable(const TDeviceIndependentBitmap &dib) {
    const int n = dib.GetNumColours();
    ReAlloc(n);
    const TRGBQuad *table = dib.GetColourTable();
    for (int i = 0; table && i < n; ++i)
        entries_[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    count_ = n;
}

const TPaletteEntry &TLogicalPalette::Checked(int index) const {
    if (index < 0 || index >= count_) throw ELogPalError(IndexMessage(index));
    return entries_[index];
}

TPaletteEntry &TLogicalPalette::CheckedForWrite(int index) {
    Checked(index);
    FreeCache();  // the inverse map no longer matches the entries
    return entries_[index];
}

void TLogicalPalette::SetRed(int index, uint8_t value) {
    CheckedForWrite(index).peRed = value;
}
void TLogicalPalette::SetGreen(int index, uint8_t value) {
    CheckedForWrite(index).peGreen = value;
}
void TLogicalPalette::SetBlue(int index, uint8_t value) {
    CheckedForWrite(index).peBlue = value;
}

void TLogicalPalette::SetEntry(int index, uint8_t red, uint8_t green, uint8_t blue) {
    entries_[index] = {red, green, blue, 0};
}

void TLogicalPalette::GetRGBColours(int index, uint8_t &red, uint8_t &green, uint8_t &blue) const {
    if (index < 0 || index >= count_) throw Exception(IndexMessage(index));
    red = entries_[index].peRed;
    green = entries_[index].peGreen;
    blue = entries_[index].peBlue;
}

TRGBQuad TLogicalPalette::GetPalEntry(int index) const {
    if (index < 0 || index >= count_) throw Exception(IndexMessage(index));
    const TPaletteEntry &e = entries_[index];
    return {e.peBlue, e.peGreen, e.peRed, 0};
}

uint32_t TLogicalPalette::GetColour(int index) const {
    const TPaletteEntry &e = Checked(index);
    return RGBToColor(e.peRed, e.peGreen, e.peBlue);
}

uint32_t TLogicalPalette::RGBToColor(uint8_t red, uint8_t green, uint8_t blue) {
    return red | (green << 8) | (static_cast<uint32_t>(blue) << 16);
}

void TLogicalPalette::ColorToRGB(uint32_t colour, uint8_t &red, uint8_t &green, uint8_t &blue) {
    red = colour & 0xFF;
    green = (colour >> 8) & 0xFF;
    blue = (colour >> 16) & 0xFF;
}

int TLogicalPalette::GetColourIndex(uint32_t colour) const {
    uint8_t r, g, b;
    ColorToRGB(colour, r, g, b);
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].peRed == r && entries_[i].peGreen == g && entries_[i].peBlue == b) return i;
    }
    return 0;
}

bool TLogicalPalette::IsSubPalette(const TLogicalPalette &other) const {
    if (other.count_ > count_) return false;
    for (int i = 0; i < other.count_; ++i) {
        if (!(other.entries_[i] == entries_[i])) return false;
    }
    return true;
}

TColourIndex TLogicalPalette::GetNearestIndex(uint8_t red, uint8_t green, uint8_t blue) {
    if (count_ == 0) throw ELogPalError("The palette has no entries");
    const int r5 = red >> 3, g6 = green >> 2, b5 = blue >> 3;
    if (cache_) {
        uint16_t word = (*cache_)[graphics::CubeOffset(r5, g6, b5)];
        if (word == 0) {
            FillInverseColourMap(r5, g6, b5);
            word = (*cache_)[graphics::CubeOffset(r5, g6, b5)];
        }
        return static_cast<TColourIndex>(word - 1);
    }
    return NearestInBox(r5, g6, b5);
}

TColourIndex TLogicalPalette::GetNearestColourIndex(uint32_t colour) {
    uint8_t r, g, b;
    ColorToRGB(colour, r, g, b);
    return GetNearestIndex(r, g, b);
}

TColourIndex TLogicalPalette::GetNearestRGBColourIndex(const TRGBQuad &quad) {
    return GetNearestIndex(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
}

namespace {

// Centres of the first cell of the update box that holds cell (r5, g6, b5), in colour units.
struct BoxOrigin {
    int red, green, blue;
};

BoxOrigin BoxOf(int r5, int g6, int b5) {
    return {(r5 >> 2) * 32 + 4, (g6 >> 3) * 32 + 2, (b5 >> 2) * 32 + 4};
}

}  // namespace

// Entries that may be nearest to some cell of the box, in index order.
TColourList TLogicalPalette::BoxCandidates(int minR, int minG, int minB) const {
    std::array<int, 256> minDist, maxDist;  // set for the entries in use only
    int minMaxDist = 0x7FFFFFFF;
    for (int i = 0; i < count_; ++i) {
        const TPaletteEntry &e = entries_[i];
        minDist[i] = maxDist[i] = 0;
        AddChannelBounds(e.peRed, minR, minR + 24, 2, minDist[i], maxDist[i]);
        AddChannelBounds(e.peGreen, minG, minG + 28, 3, minDist[i], maxDist[i]);
        AddChannelBounds(e.peBlue, minB, minB + 24, 1, minDist[i], maxDist[i]);
        if (maxDist[i] < minMaxDist) minMaxDist = maxDist[i];
    }
    TColourList candidates;
    for (int i = 0; i < count_; ++i) {
        if (minDist[i] < minMaxDist) candidates.Indices[candidates.Count++] = static_cast<TColourIndex>(i);
    }
    return candidates;
}

// The box's answer for its one cell (r5, g6, b5) alone: the first candidate at the least distance.
TColourIndex TLogicalPalette::NearestInBox(int r5, int g6, int b5) const {
    const BoxOrigin box = BoxOf(r5, g6, b5);
    const TColourList candidates = BoxCandidates(box.red, box.green, box.blue);
    const int red = box.red + (r5 & 3) * 8, green = box.green + (g6 & 7) * 4, blue = box.blue + (b5 & 3) * 8;
    int bestDist = 0x7FFFFFFF;
    TColourIndex best = 0;
    for (int c = 0; c < candidates.Count; ++c) {
        const TPaletteEntry &e = entries_[candidates.Indices[c]];
        const int dr = (red - e.peRed) * 2, dg = (green - e.peGreen) * 3, db = blue - e.peBlue;
        const int dist = dr * dr + dg * dg + db * db;
        if (dist < bestDist) {
            bestDist = dist;
            best = candidates.Indices[c];
        }
    }
    return best;
}

TBestColourList TLogicalPalette::GetBestColours(int r5, int g6, int b5) const {
    TBestColourList best;
    best.Red = static_cast<uint8_t>(r5 & ~3);
    best.Green = static_cast<uint8_t>(g6 & ~7);
    best.Blue = static_cast<uint8_t>(b5 & ~3);
    const BoxOrigin box = BoxOf(r5, g6, b5);
    const int minR = box.red, minG = box.green, minB = box.blue;
    const TColourList candidates = BoxCandidates(minR, minG, minB);

    // Exact weighted distances over the box, computed incrementally cell by cell.
    std::array<int, 128> bestDist;
    bestDist.fill(0x7FFFFFFF);
    for (int c = 0; c < candidates.Count; ++c) {
        const TColourIndex index = candidates.Indices[c];
        const TPaletteEntry &e = entries_[index];
        const int inc0 = (minR - e.peRed) * 2, inc1 = (minG - e.peGreen) * 3, inc2 = minB - e.peBlue;
        int dist0 = inc0 * inc0 + inc1 * inc1 + inc2 * inc2;
        int xx0 = inc0 * 32 + 256;
        int cell = 0;
        for (int dr = 0; dr < 4; ++dr, dist0 += xx0, xx0 += 512) {
            int dist1 = dist0, xx1 = inc1 * 24 + 144;
            for (int dg = 0; dg < 8; ++dg, dist1 += xx1, xx1 += 288) {
                int dist2 = dist1, xx2 = inc2 * 16 + 64;
                for (int db = 0; db < 4; ++db, ++cell, dist2 += xx2, xx2 += 128) {
                    if (dist2 < bestDist[cell]) {
                        bestDist[cell] = dist2;
                        best.Indices[cell] = index;
                    }
                }
            }
        }
    }
    return best;
}

void TLogicalPalette::FillInverseColourMap(int r5, int g6, int b5) {
    const TBestColourList best = GetBestColours(r5, g6, b5);
    int cell = 0;
    for (int dr = 0; dr < 4; ++dr) {
        for (int dg = 0; dg < 8; ++dg) {
            for (int db = 0; db < 4; ++db, ++cell) {
                SetCacheCell(best.Red + dr, best.Green + dg, best.Blue + db,
                             static_cast<uint16_t>(best.Indices[cell] + 1));
            }
        }
    }
}

void TLogicalPalette::InitCache() {
    if (!cache_) cache_ = std::make_unique<graphics::TColourCube>();  // value-initialised: zero
}

uint16_t TLogicalPalette::GetCacheCell(int r5, int g6, int b5) const {
    return cache_ ? (*cache_)[graphics::CubeOffset(r5, g6, b5)] : 0;
}
