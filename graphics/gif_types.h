#pragma once
// Types shared by the GIF stream reader and writer.
#include <cstdint>
#include <string>

enum TGIFType { gt89a, gt87a };

// The GIF disposal codes 0..3.
enum TDisposalMethods : uint8_t { dmNone, dmLeaveInPlace, dmRestoreBackground, dmRestorePrevious };

enum TGIFBlockTypes {
    gbTrailer,
    gbImage,
    gbPlainText,
    gbGraphicControl,
    gbAppExtension,
    gbComment,
    gbUnknown
};

// Application identifier (at most 8 characters) and authentication code (at most 3).
using TAppID = std::string;
using TAuthCode = std::string;

namespace graphics {
// A position on the logical screen.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint &) const = default;
};
}  // namespace graphics

// How an image is placed and shown: its left and top on the logical screen, what becomes of it
// before the next one, whether it waits for the user, and how long it stays (milliseconds).
struct TGIFGraphicControlInfo {
    graphics::TPoint Origin;
    TDisposalMethods DisposalMethod = dmNone;
    bool UserInput = false;
    int32_t DelayTime = 0;
    bool operator==(const TGIFGraphicControlInfo &) const = default;
};

namespace gif {

// Warning codes reported through the engine's OnWarning.
constexpr int kWarningUnknownType = 4096;
constexpr int kWarningUnknownBlock = 4097;
constexpr int kWarningPlainTextSize = 4098;
constexpr int kWarningShortAppExtension = 4099;

constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kPlainTextLabel = 0x01;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kCommentLabel = 0xFE;
constexpr uint8_t kApplicationLabel = 0xFF;

// Flags of the screen and image descriptors.
constexpr uint8_t kColourTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;

// The rows of the four interlace passes: first row and step.
constexpr int kInterlacePasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

}  // namespace gif
