#include "graphics/plain_text.h"

#include "graphics/dib_iterators.h"

std::unique_ptr<TDeviceIndependentBitmap> TPlainText::AsDIB(TDIBFormat format, graphics::TPoint origin,
                                                            int width, int height,
                                                            uint32_t background) const {
    auto dib = std::make_unique<TDeviceIndependentBitmap>(format, width, height);
    if (TDeviceIndependentBitmap::BitsPerPixel(format) <= 8) {
        TLogicalPalette colours;
        colours.ReAlloc(3);
        colours.SetCount(3);
        const uint32_t entries[3] = {background, BackgroundColour, ForegroundColour};
        for (int i = 0; i < 3; ++i) {
            uint8_t r, g, b;
            TLogicalPalette::ColorToRGB(entries[i], r, g, b);
            colours.SetRed(i, r);
            colours.SetGreen(i, g);
            colours.SetBlue(i, b);
        }
        dib->SetColourTable(colours);
    }
    dib->Transparent = Transparent;
    dib->TransparentColour = TransparentColour;
    const auto writer = dib->GetWriter();
    uint8_t r, g, b;
    TLogicalPalette::ColorToRGB(background, r, g, b);
    writer->FillColour(r, g, b);
    const bool gridVisible = origin.X < width && origin.Y < height && int64_t{origin.X} + GridWidth > 0 &&
                             int64_t{origin.Y} + GridHeight > 0 && GridWidth > 0 && GridHeight > 0;
    if (!Transparent && gridVisible) {
        writer->SetClipRect(origin.X, origin.Y, origin.X + GridWidth - 1, origin.Y + GridHeight - 1);
        TLogicalPalette::ColorToRGB(BackgroundColour, r, g, b);
        writer->FillColour(r, g, b);
    }
    return dib;
}
