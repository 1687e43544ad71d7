#pragma once
// Little-endian fields of the bitmap information header inside a DIB block.
#include <cstdint>
#include <cstring>

namespace graphics {

enum TInfoField : int {
    kBiSize = 0,
    kBiWidth = 4,
    kBiHeight = 8,
    kBiPlanes = 12,
    kBiBitCount = 14,
    kBiCompression = 16,
    kBiSizeImage = 20,
    kBiXPelsPerMeter = 24,
    kBiYPelsPerMeter = 28,
    kBiClrUsed = 32,
    kBiClrImportant = 36,
};

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;

inline uint32_t GetU32(const uint8_t *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline int32_t GetI32(const uint8_t *p) {
    return static_cast<int32_t>(GetU32(p));
}
inline uint16_t GetU16(const uint8_t *p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline void PutU32(uint8_t *p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutU16(uint8_t *p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace graphics
