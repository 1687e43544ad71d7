#pragma once
// Ditherers turn one row of true-colour pixels into palette indexes for a mapped writer.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/dib_iterators.h"
#include "graphics/palette.h"

class TDitherer {
public:
    TDitherer(TDIBMappedWriter &writer, TLogicalPalette &palette) : writer_(writer), palette_(palette) {}
    TDitherer(const TDitherer &) = delete;
    TDitherer &operator=(const TDitherer &) = delete;
    virtual ~TDitherer() = default;
    // Writes the reader's remaining row to the writer's current row.
    virtual void SetRowIndicies(TDIBReader &reader) = 0;

protected:
    TDIBMappedWriter &writer_;
    TLogicalPalette &palette_;
};

// Each pixel becomes the nearest palette entry.
class TNoDither : public TDitherer {
public:
    using TDitherer::TDitherer;
    static std::unique_ptr<TDitherer> Create(TDIBMappedWriter &writer, TLogicalPalette &palette);
    void SetRowIndicies(TDIBReader &reader) override;
};

// Floyd-Steinberg error diffusion (7/16 ahead, 3/16, 5/16, 1/16 below) on serpentine rows, the
// first row right to left, with the diffused error bounded by an error-limit table.
class TFSDitherer : public TDitherer {
public:
    TFSDitherer(TDIBMappedWriter &writer, TLogicalPalette &palette);
    static std::unique_ptr<TDitherer> Create(TDIBMappedWriter &writer, TLogicalPalette &palette);
    void SetRowIndicies(TDIBReader &reader) override;
    // The limit of a diffused error e, -255 <= e <= 255.
    int ErrorLimit(int e) const { return errorLimits_[e + 255]; }

private:
    struct TAccError {
        int32_t Red = 0, Green = 0, Blue = 0;
    };
    void InitErrorLimits();

    std::vector<TAccError> errors_;  // one per column of the row plus a margin on each side
    std::array<int32_t, 511> errorLimits_{};
    bool direction_ = false;  // false: the next row runs right to left
    int width_;
};
