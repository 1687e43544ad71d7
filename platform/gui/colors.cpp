#include "platform/gui/colors.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The classic (Windows Standard) scheme, as 0x00BBGGRR, indexed by the system colour number; the
// station's white captions on command panels need a darker inactive caption text, and the grey
// hints of the search edits a dark face.
constexpr std::array<uint32_t, 31> kSystemScheme = {
    0xC8C8C8,  // 0 scroll bar
    0x808000,  // 1 background
    0x6A240A,  // 2 active caption
    0x808080,  // 3 inactive caption
    0xC8D0D4,  // 4 menu
    0xFFFFFF,  // 5 window
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC8D0D4,  // 10 active border
    0xC8D0D4,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x6A240A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC8D0D4,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0x5A5A5A,  // 19 inactive caption text: the face of the command panels under white captions
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3D dark shadow
    0xC8D0D4,  // 22 3D light
    0x000000,  // 23 info text
    0xE1FFFF,  // 24 info background
    0xB5B5B5,  // 25
    0xFF0000,  // 26 hot light
    0xF0CAA6,  // 27 gradient active caption
    0x141414,  // 28 gradient inactive caption: the face of the search edits under grey hints
    0x6A240A,  // 29 menu highlight
    0xC8D0D4,  // 30 menu bar
};

}  // namespace

uint32_t ColorToRGB(TColor color) {
    if (!IsSystemColor(color)) return static_cast<uint32_t>(color) & 0xFFFFFFu;
    const uint32_t index = static_cast<uint32_t>(color) & 0xFFu;
    return index < kSystemScheme.size() ? kSystemScheme[index] : 0;
}

QColor ToQColor(TColor color) {
    const uint32_t bgr = ColorToRGB(color);
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

namespace {

// The relative luminance of a colour as painted, from its sRGB channels.
double Luminance(TColor color) {
    const uint32_t bgr = ColorToRGB(color);
    constexpr double kWeights[] = {0.2126, 0.7152, 0.0722};  // red, green, blue
    double sum = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const double c = ((bgr >> (8 * channel)) & 0xFFu) / 255.0;
        sum += kWeights[channel] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

}  // namespace

double ContrastRatio(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
