#include "coder_util.h"

#include <algorithm>

#include "graphics/dib_iterators.h"
#include "graphics/lzw.h"

namespace coder_util {

TDeviceIndependentBitmap IndexedDIB(TDIBFormat format, int width, int height,
                                    const std::vector<uint8_t> &indexes, int colours) {
    TDeviceIndependentBitmap dib(format, width, -height);
    TLogicalPalette grey;
    const int count = colours > 0 ? colours : 1 << TDeviceIndependentBitmap::BitsPerPixel(format);
    grey.ReAlloc(count);
    grey.SetCount(count);
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<uint8_t>(i * 255 / (count - 1));
        grey.SetRed(i, v);
        grey.SetGreen(i, v);
        grey.SetBlue(i, v);
    }
    dib.SetColourTable(grey);
    auto writer = dib.GetWriter();
    auto &mapped = dynamic_cast<TDIBMappedWriter &>(*writer);
    size_t i = 0;
    for (; !mapped.EndOfImage(); mapped.NextRow()) {
        while (i < indexes.size() && mapped.SetNextIndex(indexes[i])) ++i;
    }
    return dib;
}

std::vector<uint8_t> IndexesOf(const TDeviceIndependentBitmap &dib) {
    std::vector<uint8_t> indexes;
    auto reader = dib.GetReader();
    auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
    for (; !mapped.EndOfImage(); mapped.NextRow()) {
        TColourIndex index;
        while (mapped.GetNextColourIndex(index)) indexes.push_back(index);
    }
    return indexes;
}

std::vector<uint8_t> EncodeDIB(const TDeviceIndependentBitmap &dib, int64_t pixels, int indexBits) {
    graphics::TMemoryStream stream;
    {
        TZUB_LZWCompressor coder(stream, dib.GetDIBType(), pixels > 0 ? pixels : TZUB_LZWCommon::kMaxCodes,
                                 indexBits > 0 ? indexBits : 8);
        auto reader = dib.GetReader();
        auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
        for (; !mapped.EndOfImage(); mapped.NextRow()) coder.WriteRow(mapped);
        coder.Finish();
    }
    return stream.Bytes();
}

std::vector<uint8_t> Encode(TDIBFormat format, int width, int height, const std::vector<uint8_t> &indexes) {
    return EncodeDIB(IndexedDIB(format, width, height, indexes));
}

void DecodeInto(TDeviceIndependentBitmap &dib, const std::vector<uint8_t> &imageData) {
    graphics::TMemoryStream stream(imageData);
    TZUB_LZWDecompressor coder(stream);
    auto writer = dib.GetWriter();
    auto &mapped = dynamic_cast<TDIBMappedWriter &>(*writer);
    for (; !mapped.EndOfImage(); mapped.NextRow()) {
        if (!coder.ReadRow(mapped)) break;
    }
}

std::vector<uint8_t> Decode(TDIBFormat format, int width, int height, const std::vector<uint8_t> &imageData) {
    TDeviceIndependentBitmap dib(format, width, -height);
    DecodeInto(dib, imageData);
    return IndexesOf(dib);
}

std::vector<uint8_t> Rechunk(const std::vector<uint8_t> &imageData, int blockLength) {
    std::vector<uint8_t> codes;
    size_t at = 1;
    while (at < imageData.size() && imageData[at] != 0) {
        codes.insert(codes.end(), imageData.begin() + static_cast<ptrdiff_t>(at) + 1,
                     imageData.begin() + static_cast<ptrdiff_t>(at) + 1 + imageData[at]);
        at += imageData[at] + 1;
    }
    return SubBlocks(imageData[0], codes, blockLength);
}

std::vector<uint8_t> SubBlocks(uint8_t codeSize, const std::vector<uint8_t> &codes, int blockLength) {
    std::vector<uint8_t> out = {codeSize};
    for (size_t i = 0; i < codes.size(); i += static_cast<size_t>(blockLength)) {
        const size_t n = std::min(codes.size() - i, static_cast<size_t>(blockLength));
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), codes.begin() + static_cast<ptrdiff_t>(i),
                   codes.begin() + static_cast<ptrdiff_t>(i + n));
    }
    out.push_back(0);
    return out;
}

}  // namespace coder_util
