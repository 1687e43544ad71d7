#pragma once
// Index images for the coder tests and benchmarks.
#include <algorithm>
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

// Runs of one index, 1 to 60 pixels long, of six indexes, broken by single pixels of 16 indexes:
// uniform areas whose strings grow long, cross rows and restart with the dictionary.
inline std::vector<uint8_t> Runs(int width, int height, unsigned start = 1) {
    std::mt19937 random(start);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size();) {
        const auto index = static_cast<uint8_t>(random() % 6);
        const size_t length = std::min<size_t>(1 + random() % 60, pixels.size() - i);
        std::fill_n(pixels.begin() + static_cast<ptrdiff_t>(i), length, index);
        i += length;
        if (i < pixels.size()) pixels[i++] = static_cast<uint8_t>(random() % 16);
    }
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

// A smooth shading reduced to 64 levels by an ordered 4 x 4 dither: fine regular patterns.
inline std::vector<uint8_t> Dithered(int width, int height) {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double shade = 31.5 + 31.5 * std::sin(x * 0.007) * std::cos(y * 0.005);  // 0 .. 63
            const double threshold = (kBayer[y % 4][x % 4] + 0.5) / 16.0;
            pixels[static_cast<size_t>(y) * width + x] =
                static_cast<uint8_t>(std::min(63.0, std::floor(shade) + (shade - std::floor(shade) > threshold ? 1 : 0)));
        }
    }
    return pixels;
}

}  // namespace test_images
