#pragma once
// Median-cut colour quantising over a 5-6-5 bit histogram of a bitmap.
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/palette.h"

class TQuantizedPalette;

// A box of the colour cube, in cell coordinates (inclusive bounds).
class TColourBox {
public:
    // The box covering the bounds, shrunk to the occupied cells.
    TColourBox(const graphics::TColourCube &histogram, int redMin, int redMax, int greenMin, int greenMax,
               int blueMin, int blueMax);
    void ShrinkToFit();
    // Splits the box on its longest scaled axis; this box keeps the upper part.
    std::unique_ptr<TColourBox> Split();
    void GetMedianColour(uint8_t &red, uint8_t &green, uint8_t &blue) const;

    int64_t Volume() const { return volume_; }
    int64_t ColourCount() const { return colourCount_; }
    int Min(TAccColours axis) const { return min_[axis]; }
    int Max(TAccColours axis) const { return max_[axis]; }

private:
    template <class Visit>
    void ForEachOccupiedCell(int redMin, int redMax, int greenMin, int greenMax, int blueMin, int blueMax,
                             Visit visit) const;
    bool PlaneOccupied(TAccColours axis, int plane) const;

    const graphics::TColourCube &histogram_;
    int min_[3];
    int max_[3];
    int64_t extent_[3] = {0, 0, 0};
    int64_t volume_ = 0;
    int64_t colourCount_ = 0;
};

class TQuantizedPalette : public TLogicalPalette {
public:
    // A palette of at most `colours` entries (1..256, else EQuantError) for the bitmap. A bitmap
    // with fewer occupied cells gets one entry per cell.
    TQuantizedPalette(const TDeviceIndependentBitmap &dib, int colours);
    using TLogicalPalette::Assign;
    // A bitmap of more than 8 bits is quantised anew with the colour count given at creation.
    void Assign(const TDeviceIndependentBitmap &dib) override;

private:
    void BuildPalette(const TDeviceIndependentBitmap &dib);

    int requested_;
};
