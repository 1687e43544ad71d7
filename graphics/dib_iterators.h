#pragma once
// Row iterators over the pixels of a device-independent bitmap: one reader and one writer
// class per depth. An iterator walks the rows of its clipping rectangle from the top, every
// step-th row from a first one, and the pixels of a row forwards or backwards.
#include <array>
#include <cstdint>
#include <memory>

#include "graphics/dib.h"
#include "graphics/palette.h"

class TDIBIterator {
public:
    explicit TDIBIterator(const TDeviceIndependentBitmap &dib);
    TDIBIterator(const TDIBIterator &) = delete;
    TDIBIterator &operator=(const TDIBIterator &) = delete;
    virtual ~TDIBIterator() = default;

    // Cut to the image; an empty rectangle raises EScanError "Invalid Clipping rectangle".
    // Inclusive pixel coordinates, top = first displayed row. Resets to (0, 1).
    void SetClipRect(int left, int top, int right, int bottom);
    int GetWidth() const { return clipRight_ - clipLeft_ + 1; }
    int GetHeight() const { return clipBottom_ - clipTop_ + 1; }

    // Starts at the clipped row firstRow and visits every step-th row below it. A pass without
    // rows (a short image's interlace pass) is at its end at once.
    void Reset(int firstRow, int step);
    void NextRow();
    bool EndOfImage() const { return endOfImage_; }
    bool Backwards() const { return backwards_; }
    // Puts the cursor on the first clipped pixel of the row in the given direction.
    virtual void SetBackwardsScan(bool backwards);
    // Moves the cursor n pixels in the scan direction.
    void SkipPixels(int n);
    virtual void Flush() {}

protected:
    // The cursor's pixel, then one step on; false once the clipped row is exhausted.
    // Takes up to count pixels of the row at once: their first column (in scan order) and
    // their number.
    int AdvanceRun(int count, int &column) {
        const int n = count < pixelsRemaining_ ? count : pixelsRemaining_;
        if (n <= 0) return 0;
        column = column_;
        column_ += backwards_ ? -n : n;
        pixelsRemaining_ -= n;
        return n;
    }
    bool Advance(int &column) { return AdvanceRun(1, column) == 1; }
    // Takes up to count pixels as AdvanceRun and calls visit(column, i) for the i-th of them.
    template <class Visit>
    int ForEachInRun(int count, Visit visit) {
        int first = 0;
        const int n = AdvanceRun(count, first);
        const int step = backwards_ ? -1 : 1;
        for (int i = 0; i < n; ++i) visit(first + i * step, i);
        return n;
    }
    uint8_t *Row() const { return rowPointer_; }
    void SetMasks(uint32_t red, uint32_t green, uint32_t blue);
    void UnpackMasked(uint32_t pixel, uint8_t &red, uint8_t &green, uint8_t &blue) const;
    uint32_t PackMasked(uint8_t red, uint8_t green, uint8_t blue) const;

    uint32_t masks_[3] = {0, 0, 0};
    int shifts_[3] = {0, 0, 0};

private:
    uint8_t *pixelRows_;
    int64_t paddedRowSize_;
    int width_;
    int height_;
    bool topDown_;
    int clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0;
    uint8_t *rowPointer_ = nullptr;
    int64_t rowStep_ = 0;
    int rowsRemaining_ = 0;
    bool endOfImage_ = false;
    bool backwards_ = false;
    int column_ = 0;  // image column of the cursor
    int pixelsRemaining_ = 0;
};

class TDIBReader : public TDIBIterator {
public:
    using TDIBIterator::TDIBIterator;
    virtual bool GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) = 0;
};

class TDIBWriter : public TDIBIterator {
public:
    using TDIBIterator::TDIBIterator;
    virtual void FillColour(uint8_t red, uint8_t green, uint8_t blue);
    virtual bool SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) = 0;
    // Copies the reader's current row into this writer's current row (same clip width).
    virtual void SetRowFrom(TDIBReader &reader);
    // Copies every row of the source (same clip height) through SetRowFrom.
    void CopyDIB(const TDeviceIndependentBitmap &source, const TProgressCallback &progress = {});

protected:
    void CheckSameWidth(const TDIBReader &reader) const;
};

class TDIBMappedReader : public TDIBReader {
public:
    // Its palette is the DIB's colour table padded with black to every index the depth can hold.
    explicit TDIBMappedReader(const TDeviceIndependentBitmap &dib);
    bool GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) override;
    virtual bool GetNextColourIndex(TColourIndex &index) = 0;
    // Reads up to count indexes of the row at once; answers how many were read.
    virtual int GetNextColourIndexes(TColourIndex *indexes, int count);

private:
    // The DIB's colour table as it was when the reader was made; indexes from colourCount_ up
    // read as black. Only the entries in use are set: a reader costs no allocation.
    std::array<TPaletteEntry, 256> colours_;
    int colourCount_ = 0;
};

class TDIBMappedWriter : public TDIBWriter {
public:
    explicit TDIBMappedWriter(const TDeviceIndependentBitmap &dib);
    ~TDIBMappedWriter() override;
    void FillColour(uint8_t red, uint8_t green, uint8_t blue) override;
    bool SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) override;
    void SetRowFrom(TDIBReader &reader) override;
    virtual bool SetNextIndex(TColourIndex index) = 0;
    // Writes up to count indexes to the row at once; answers how many were written.
    virtual int SetNextIndexes(const TColourIndex *indexes, int count);

    void SetPalette(const TLogicalPalette &palette);
    void SetDitherer(TDithererClass ditherer);
    TDithererClass GetDitherer() const { return dithererClass_; }
    TLogicalPalette &Palette() { return palette_; }

private:
    TLogicalPalette palette_;
    TDithererClass dithererClass_;
    std::unique_ptr<TDitherer> ditherer_;
};

class TDIB1Reader : public TDIBMappedReader {
public:
    using TDIBMappedReader::TDIBMappedReader;
    bool GetNextColourIndex(TColourIndex &index) override;
    int GetNextColourIndexes(TColourIndex *indexes, int count) override;
};

class TDIB4Reader : public TDIBMappedReader {
public:
    using TDIBMappedReader::TDIBMappedReader;
    bool GetNextColourIndex(TColourIndex &index) override;
    int GetNextColourIndexes(TColourIndex *indexes, int count) override;
};

class TDIB8Reader : public TDIBMappedReader {
public:
    using TDIBMappedReader::TDIBMappedReader;
    bool GetNextColourIndex(TColourIndex &index) override;
    int GetNextColourIndexes(TColourIndex *indexes, int count) override;
};

class TDIB1Writer : public TDIBMappedWriter {
public:
    using TDIBMappedWriter::TDIBMappedWriter;
    bool SetNextIndex(TColourIndex index) override;
    int SetNextIndexes(const TColourIndex *indexes, int count) override;
};

class TDIB4Writer : public TDIBMappedWriter {
public:
    using TDIBMappedWriter::TDIBMappedWriter;
    bool SetNextIndex(TColourIndex index) override;
    int SetNextIndexes(const TColourIndex *indexes, int count) override;
};

class TDIB8Writer : public TDIBMappedWriter {
public:
    using TDIBMappedWriter::TDIBMappedWriter;
    bool SetNextIndex(TColourIndex index) override;
    int SetNextIndexes(const TColourIndex *indexes, int count) override;
};

class TDIB16Reader : public TDIBReader {
public:
    explicit TDIB16Reader(const TDeviceIndependentBitmap &dib);
    bool GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) override;
};

class TDIB24Reader : public TDIBReader {
public:
    using TDIBReader::TDIBReader;
    bool GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) override;
};

class TDIB32Reader : public TDIBReader {
public:
    explicit TDIB32Reader(const TDeviceIndependentBitmap &dib);
    bool GetNextPixel(uint8_t &red, uint8_t &green, uint8_t &blue) override;
};

class TDIB16Writer : public TDIBWriter {
public:
    explicit TDIB16Writer(const TDeviceIndependentBitmap &dib);
    bool SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) override;
};

class TDIB24Writer : public TDIBWriter {
public:
    using TDIBWriter::TDIBWriter;
    bool SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) override;
};

class TDIB32Writer : public TDIBWriter {
public:
    explicit TDIB32Writer(const TDeviceIndependentBitmap &dib);
    bool SetNextPixel(uint8_t red, uint8_t green, uint8_t blue) override;
};
