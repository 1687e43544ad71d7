#include "gif_oracle.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace gif_oracle {
namespace {

int ReadFromMemory(GifFileType *gif, GifByteType *buffer, int count) {
    auto *cursor = static_cast<MemoryCursor *>(gif->UserData);
    const size_t n = std::min<size_t>(static_cast<size_t>(count), cursor->bytes->size() - cursor->position);
    std::memcpy(buffer, cursor->bytes->data() + cursor->position, n);
    cursor->position += n;
    return static_cast<int>(n);
}

int WriteToMemory(GifFileType *gif, const GifByteType *buffer, int count) {
    auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
    out->insert(out->end(), buffer, buffer + count);
    return count;
}

void PutWord(std::vector<uint8_t> &out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

[[noreturn]] void Fail(const char *what, int error) {
    throw std::runtime_error(std::string(what) + ": " + GifErrorString(error));
}

}  // namespace

GifFileType *OpenInMemory(MemoryCursor &cursor, int *error) {
    return DGifOpen(&cursor, ReadFromMemory, error);
}

std::vector<uint8_t> WrapImageData(int width, int height, int bits, const std::vector<uint8_t> &imageData) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    PutWord(gif, width);
    PutWord(gif, height);
    gif.push_back(static_cast<uint8_t>(0x80 | (bits - 1) << 4 | (bits - 1)));
    gif.push_back(0);
    gif.push_back(0);
    for (int i = 0; i < (1 << bits); ++i) {
        const auto grey = static_cast<uint8_t>(i * 255 / ((1 << bits) - 1));
        gif.insert(gif.end(), {grey, grey, grey});
    }
    gif.push_back(0x2C);
    PutWord(gif, 0);
    PutWord(gif, 0);
    PutWord(gif, width);
    PutWord(gif, height);
    gif.push_back(0);
    gif.insert(gif.end(), imageData.begin(), imageData.end());
    gif.push_back(0x3B);
    return gif;
}

std::vector<uint8_t> Decode(const std::vector<uint8_t> &gif) {
    MemoryCursor cursor{&gif, 0};
    int error = 0;
    GifFileType *file = OpenInMemory(cursor, &error);
    if (!file) Fail("DGifOpen", error);
    std::vector<uint8_t> pixels;
    GifRecordType type;
    do {
        if (DGifGetRecordType(file, &type) == GIF_ERROR) break;
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(file) == GIF_ERROR) break;
            const int width = file->Image.Width, height = file->Image.Height;
            pixels.resize(static_cast<size_t>(width) * height);
            for (int y = 0; y < height; ++y) {
                if (DGifGetLine(file, pixels.data() + static_cast<size_t>(y) * width, width) == GIF_ERROR) {
                    error = file->Error;
                    DGifCloseFile(file, nullptr);
                    Fail("DGifGetLine", error);
                }
            }
            break;
        }
    } while (type != TERMINATE_RECORD_TYPE);
    DGifCloseFile(file, &error);
    return pixels;
}

std::vector<uint8_t> Encode(int width, int height, int bits, const std::vector<uint8_t> &indexes) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType *file = EGifOpen(&out, WriteToMemory, &error);
    if (!file) Fail("EGifOpen", error);
    ColorMapObject *map = GifMakeMapObject(1 << bits, nullptr);
    for (int i = 0; i < (1 << bits); ++i) {
        const auto grey = static_cast<GifByteType>(i * 255 / ((1 << bits) - 1));
        map->Colors[i] = {grey, grey, grey};
    }
    EGifSetGifVersion(file, true);
    bool ok = EGifPutScreenDesc(file, width, height, bits, 0, map) != GIF_ERROR &&
              EGifPutImageDesc(file, 0, 0, width, height, false, nullptr) != GIF_ERROR;
    std::vector<GifPixelType> row(static_cast<size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        std::copy_n(indexes.begin() + static_cast<ptrdiff_t>(y) * width, width, row.begin());
        ok = EGifPutLine(file, row.data(), width) != GIF_ERROR;
    }
    error = file->Error;
    EGifCloseFile(file, nullptr);
    GifFreeMapObject(map);
    if (!ok) Fail("EGifPutLine", error);
    return out;
}

std::vector<uint8_t> ImageDataOf(const std::vector<uint8_t> &gif, int bits) {
    const size_t start = 13 + 3 * (size_t{1} << bits) + 10;
    size_t end = start + 1;
    while (end < gif.size() && gif[end] != 0) end += gif[end] + 1;
    return {gif.begin() + static_cast<ptrdiff_t>(start), gif.begin() + static_cast<ptrdiff_t>(end + 1)};
}

}  // namespace gif_oracle
