#pragma once
// A GIF plain-text graphic: a grid of character cells with its text and two colours.
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/dib.h"
#include "graphics/gif_types.h"

class TPlainText : public TZUBExtGraphic {
public:
    TPlainText() = default;
    TPlainText(const TPlainText &source) = default;

    int GetWidth() const override { return GridWidth; }
    int GetHeight() const override { return GridHeight; }
    std::unique_ptr<TZUBExtGraphic> Copy() const override { return std::make_unique<TPlainText>(*this); }

    void SetText(const std::string &text) { Text = text; }
    void FreeText() { Text.clear(); }

    // A bitmap of the given size in the background colour with the text grid at the origin,
    // filled with the text's background colour unless the graphic is transparent. The glyphs
    // are the canvas's business (the picture component draws them); they are not rasterised here.
    std::unique_ptr<TDeviceIndependentBitmap> AsDIB(TDIBFormat format, graphics::TPoint origin, int width,
                                                    int height, uint32_t background) const;

    int GridWidth = 0;
    int GridHeight = 0;
    uint8_t CellWidth = 0;
    uint8_t CellHeight = 0;
    uint32_t ForegroundColour = 0;
    uint32_t BackgroundColour = 0x00FFFFFF;
    std::string Text;
};
