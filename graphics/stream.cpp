#include "graphics/stream.h"

#include <algorithm>
#include <cstring>

#include "platform/runtime/errors.h"

namespace graphics {

int64_t TStream::Remaining() {
    const int64_t left = Size() - Position();
    return left > 0 ? left : 0;
}

int64_t TMemoryStream::Read(void *buffer, int64_t count) {
    const int64_t size = Size();
    if (count <= 0 || position_ >= size) return 0;
    const int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void *buffer, int64_t count) {
    if (count <= 0) return 0;
    const auto end = static_cast<size_t>(position_ + count);
    // Small streams (a GIF of an icon) grow in few steps: at least 1 KiB, then doubling.
    if (end > bytes_.capacity()) bytes_.reserve(std::max({end, 2 * bytes_.capacity(), size_t{1024}}));
    const auto at = static_cast<size_t>(position_);
    if (at > bytes_.size()) bytes_.resize(at);  // the gap a seek beyond the end left reads as zeros
    // Over what is there, then appended: no byte is cleared before it is written.
    const auto *bytes = static_cast<const uint8_t *>(buffer);
    const size_t over = std::min(bytes_.size() - at, static_cast<size_t>(count));
    std::memcpy(bytes_.data() + at, bytes, over);
    bytes_.insert(bytes_.end(), bytes + over, bytes + count);
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = position_;
    if (origin == TSeekOrigin::soEnd) base = Size();
    // A seek that would overflow or land before the start leaves the position at the end.
    int64_t target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0) target = Size();
    position_ = target;
    return position_;
}

TFileStream::TFileStream(const std::string &name, TFileMode mode) {
    file_ = std::fopen(name.c_str(), mode == TFileMode::fmCreate ? "w+b" : "rb");
    if (!file_) throw Exception("Cannot open file " + name);
}

TFileStream::~TFileStream() {
    std::fclose(file_);
}

int64_t TFileStream::Read(void *buffer, int64_t count) {
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Write(const void *buffer, int64_t count) {
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    std::fseek(file_, static_cast<long>(offset), whence);
    return std::ftell(file_);
}

int64_t TFileStream::Size() {
    const long here = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    const long size = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return size;
}

}  // namespace graphics
