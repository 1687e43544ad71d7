#include "graphics/dither.h"

#include <algorithm>
#include <cstdlib>

std::unique_ptr<TDitherer> TNoDither::Create(TDIBMappedWriter &writer, TLogicalPalette &palette) {
    return std::make_unique<TNoDither>(writer, palette);
}

void TNoDither::SetRowIndicies(TDIBReader &reader) {
    uint8_t r, g, b;
    while (reader.GetNextPixel(r, g, b)) writer_.SetNextIndex(palette_.GetNearestIndex(r, g, b));
}

TFSDitherer::TFSDitherer(TDIBMappedWriter &writer, TLogicalPalette &palette)
    : TDitherer(writer, palette),
      errors_(static_cast<size_t>(writer.GetWidth()) + 2),
      width_(writer.GetWidth()) {
    InitErrorLimits();
}

std::unique_ptr<TDitherer> TFSDitherer::Create(TDIBMappedWriter &writer, TLogicalPalette &palette) {
    return std::make_unique<TFSDitherer>(writer, palette);
}

void TFSDitherer::InitErrorLimits() {
    for (int e = 0; e <= 255; ++e) {
        const int limit = e <= 15 ? e : e <= 47 ? 16 + (e - 15) / 2 : 32;
        errorLimits_[255 + e] = limit;
        errorLimits_[255 - e] = -limit;
    }
}

void TFSDitherer::SetRowIndicies(TDIBReader &reader) {
    if (writer_.GetWidth() != width_) {
        // The writer was clipped anew: start over with a clean error row of its width.
        width_ = writer_.GetWidth();
        errors_.assign(static_cast<size_t>(width_) + 2, TAccError{});
    }
    const bool backwards = !direction_;
    reader.SetBackwardsScan(backwards);
    writer_.SetBackwardsScan(backwards);
    direction_ = !direction_;
    const int step = backwards ? -1 : 1;

    TAccError cur, below, belowPrev;
    int column = backwards ? width_ - 1 : 0;
    uint8_t pixel[3];
    while (reader.GetNextPixel(pixel[0], pixel[1], pixel[2])) {
        TAccError &here = errors_[column + 1];
        TAccError &before = errors_[column + 1 - step];
        int32_t TAccError::*const channels[3] = {&TAccError::Red, &TAccError::Green, &TAccError::Blue};
        int value[3];
        for (int c = 0; c < 3; ++c) {
            int v = (cur.*channels[c] + here.*channels[c] + 8) / 16;
            v = ErrorLimit(std::clamp(v, -255, 255)) + pixel[c];
            value[c] = std::min(std::abs(v), 255);  // a negative value is mirrored
        }
        const TColourIndex index = palette_.GetNearestIndex(
            static_cast<uint8_t>(value[0]), static_cast<uint8_t>(value[1]), static_cast<uint8_t>(value[2]));
        writer_.SetNextIndex(index);
        const TPaletteEntry &entry = palette_.Entry(index);
        const int chosen[3] = {entry.peRed, entry.peGreen, entry.peBlue};
        for (int c = 0; c < 3; ++c) {
            const int32_t err = value[c] - chosen[c];
            before.*channels[c] = belowPrev.*channels[c] + 3 * err;
            belowPrev.*channels[c] = below.*channels[c] + 5 * err;
            below.*channels[c] = err;
            cur.*channels[c] = 7 * err;
        }
        column += step;
    }
    errors_[column + 1 - step] = belowPrev;
}
