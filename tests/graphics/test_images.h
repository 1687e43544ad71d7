#pragma once
// Index images for the coder tests and benchmarks.
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace test_images {

// One colour everywhere.
inline std::vector<uint8_t> Flat(int width, int height, uint8_t index = 7) {
    return std::vector<uint8_t>(static_cast<size_t>(width) * height, index);
}

// Uniform noise over 2^bits indexes: the dictionary fills and restarts often.
inline std::vector<uint8_t> Noise(int width, int height, int bits, unsigned start = 1) {
    std::mt19937 random(start);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (auto &p : pixels) p = static_cast<uint8_t>(random() & ((1u << bits) - 1));
    return pixels;
}

// Smooth shading with a little grain, like a photograph reduced to 256 colours.
inline std::vector<uint8_t> PhotoLike(int width, int height, unsigned start = 1) {
    std::mt19937 random(start);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double shade = 96 + 60 * std::sin(x * 0.013) * std::cos(y * 0.021) + 40.0 * x / width;
            const int grain = static_cast<int>(random() % 5) - 2;
            pixels[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(std::lround(shade) + grain);
        }
    }
    return pixels;
}

}  // namespace test_images
