#pragma once
// Byte streams the coders and the bitmap read from and write to. A stream is borrowed by
// whoever reads or writes it and never closed by them.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace graphics {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; answers how many were read (fewer only at the end of the data).
    virtual int64_t Read(void *buffer, int64_t count) = 0;
    // Writes up to count bytes; answers how many were written.
    virtual int64_t Write(const void *buffer, int64_t count) = 0;
    // Moves the position; a position beyond the end is allowed, reads there deliver nothing.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() = 0;
    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    // Bytes between the position and the end, 0 when the position is past the end.
    int64_t Remaining();
};

// A growable buffer in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    int64_t Read(void *buffer, int64_t count) override;
    int64_t Write(const void *buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    const std::vector<uint8_t> &Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    int64_t position_ = 0;
};

enum class TFileMode { fmOpenRead, fmCreate };

// A file opened for reading or created (truncated) for writing; raises
// Exception "Cannot open file <name>" when the file does not open.
class TFileStream : public TStream {
public:
    TFileStream(const std::string &name, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream &) = delete;
    TFileStream &operator=(const TFileStream &) = delete;
    int64_t Read(void *buffer, int64_t count) override;
    int64_t Write(const void *buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;

private:
    std::FILE *file_ = nullptr;
};

}  // namespace graphics
