#pragma once
// Logical palettes of at most 256 entries and their nearest-colour search. The search divides
// a 5-6-5 bit colour cube into update boxes of 4 x 8 x 4 cells and fills a box's cells of the
// inverse colour map the first time one of them is asked for.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TDeviceIndependentBitmap;

using TRGBColour = uint8_t;
using TColourIndex = uint8_t;

enum TDefaultPalettes { dpEmpty, dpColour, dpGrayscale };
enum TAccColours { acRed, acGreen, acBlue };

struct TPaletteEntry {
    uint8_t peRed = 0;
    uint8_t peGreen = 0;
    uint8_t peBlue = 0;
    uint8_t peFlags = 0;
    bool operator==(const TPaletteEntry &) const = default;
};

// A colour-table entry as a DIB stores it.
struct TRGBQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;
};

// Up to 256 palette indices.
struct TColourList {
    std::array<TColourIndex, 256> Indices{};
    uint16_t Count = 0;
};

// The nearest entries of the 128 cells of one update box, red-major: dR * 32 + dG * 4 + dB.
struct TBestColourList {
    uint8_t Red = 0;  // origin cell of the box
    uint8_t Green = 0;
    uint8_t Blue = 0;
    std::array<TColourIndex, 128> Indices{};
};

namespace graphics {
// One 16-bit word per cell of the 32 x 64 x 32 cube, red-major.
constexpr int kCubeCells = 32 * 64 * 32;
constexpr int CubeOffset(int r5, int g6, int b5) {
    return b5 + 32 * g6 + 2048 * r5;
}
using TColourCube = std::array<uint16_t, kCubeCells>;
}  // namespace graphics

class TLogicalPalette {
public:
    explicit TLogicalPalette(TDefaultPalettes kind = dpEmpty);
    // The colour table of a DIB of at most 8 bits; a deeper DIB gives an empty palette.
    explicit TLogicalPalette(const TDeviceIndependentBitmap &dib);
    TLogicalPalette(const TLogicalPalette &source);
    TLogicalPalette &operator=(const TLogicalPalette &) = delete;
    virtual ~TLogicalPalette() = default;

    virtual void Assign(const TLogicalPalette &source);
    virtual void Assign(const TDeviceIndependentBitmap &dib);

    void SetupGrayscalePalette();
    // Room for n entries, all zero; the count is 0 until the caller sets it.
    void ReAlloc(int n);
    void Clear();
    void CopyDIBColourTable(const TDeviceIndependentBitmap &dib);

    int GetCount() const { return count_; }
    void SetCount(int count);
    uint8_t GetRed(int index) const { return Checked(index).peRed; }
    uint8_t GetGreen(int index) const { return Checked(index).peGreen; }
    uint8_t GetBlue(int index) const { return Checked(index).peBlue; }
    void SetRed(int index, uint8_t value);
    void SetGreen(int index, uint8_t value);
    void SetBlue(int index, uint8_t value);
    void GetRGBColours(int index, uint8_t &red, uint8_t &green, uint8_t &blue) const;
    TRGBQuad GetPalEntry(int index) const;
    uint32_t GetColour(int index) const;
    // Unchecked access for the pixel loops, which keep their indexes below the count.
    const TPaletteEntry &Entry(int index) const { return entries_[index]; }

    static uint32_t RGBToColor(uint8_t red, uint8_t green, uint8_t blue);
    static void ColorToRGB(uint32_t colour, uint8_t &red, uint8_t &green, uint8_t &blue);

    int GetColourIndex(uint32_t colour) const;
    bool IsSubPalette(const TLogicalPalette &other) const;

    // The entry nearest to a colour (weights 2, 3, 1 for red, green, blue). A palette without
    // entries has no answer and raises ELogPalError.
    TColourIndex GetNearestIndex(uint8_t red, uint8_t green, uint8_t blue);
    TColourIndex GetNearestColourIndex(uint32_t colour);
    TColourIndex GetNearestRGBColourIndex(const TRGBQuad &quad);
    TBestColourList GetBestColours(int r5, int g6, int b5) const;
    // What GetBestColours gives for the one cell, without working out the rest of its box.
    TColourIndex NearestInBox(int r5, int g6, int b5) const;

    void InitCache();
    void FreeCache() { cache_.reset(); }
    bool HasCache() const { return cache_ != nullptr; }
    uint16_t GetCacheCell(int r5, int g6, int b5) const;

    // False when a quantised palette had to merge colours.
    bool Exact() const { return exact_; }

private:
    TColourList BoxCandidates(int minR, int minG, int minB) const;

protected:
    const TPaletteEntry &Checked(int index) const;
    TPaletteEntry &CheckedForWrite(int index);
    void SetEntry(int index, uint8_t red, uint8_t green, uint8_t blue);
    void SetCacheCell(int r5, int g6, int b5, uint16_t word) {
        (*cache_)[graphics::CubeOffset(r5, g6, b5)] = word;
    }
    void FillInverseColourMap(int r5, int g6, int b5);
    void SetExact(bool exact) { exact_ = exact; }

private:
    std::vector<TPaletteEntry> entries_;  // allocated room; the first count_ are in use
    int count_ = 0;
    std::unique_ptr<graphics::TColourCube> cache_;  // 0 = unknown, else index + 1
    bool exact_ = true;
};
