#include "qrpayload/aztec_code.h"

#include <cstdint>
#include <vector>

#include "qrpayload/base64.h"
#include "qrpayload/bit_reader.h"

namespace {

constexpr std::size_t kHeaderBytes = 4;

// The largest offset code of the format: its value is the compressor's end marker.
constexpr std::int64_t kMaxOffsetCode = 0x1000002;

// A back-reference whose offset half reaches this value copies one byte more.
constexpr std::int64_t kExtraLengthHalf = 1280;

class Decompressor {
public:
    explicit Decompressor(const std::vector<std::uint8_t> &bytes) {
        BitReaderInit(reader_, bytes.data(), bytes.size(), kHeaderBytes);
    }

    qrpayload::AztecDecoding Run() {
        while (!BitReaderEof(reader_) && Step()) {
        }
        return std::move(result_);
    }

private:
    // One run of literals and the match after it; false when decoding ends.
    bool Step() {
        while (BitReaderGetBit(reader_) == 1) {
            const int literal = BitReaderGetByte(reader_);
            if (literal < 0 || !Emit(static_cast<char>(literal))) return false;
        }

        std::int64_t m = 1;
        while (!BitReaderEof(reader_)) {
            m = 2 * m + BitReaderGetBit(reader_);
            if (BitReaderGetBit(reader_) == 1) break;
            m = 2 * (m - 1) + BitReaderGetBit(reader_);
            if (m > kMaxOffsetCode) return false;
        }
        if (BitReaderEof(reader_) || m > kMaxOffsetCode) return false;

        std::int64_t length;
        if (m == 2) {
            length = BitReaderGetBit(reader_);
            m = last_;
        } else {
            m = (m - 3) * 256 + BitReaderGetByte(reader_);
            if (BitReaderEof(reader_)) return false;
            length = m % 2 == 0 ? 1 : 0;
        }

        // At the end of the input the missing bits read as -1, as the stream's reader has them.
        if (length != 0) {
            length = 1 + BitReaderGetBit(reader_);
        } else if (BitReaderGetBit(reader_) == 1) {
            length = 3 + BitReaderGetBit(reader_);
        } else {
            length = 1;
            do {
                length = 2 * length + BitReaderGetBit(reader_);
                if (length > static_cast<std::int64_t>(qrpayload::kMaxAztecOutputBytes)) return false;
            } while (BitReaderGetBit(reader_) == 0);
            length += 3;
        }

        last_ = m;
        const std::int64_t half = m >> 1;
        if (half >= kExtraLengthHalf) ++length;
        return CopyMatch(half, length + 1);
    }

    bool CopyMatch(std::int64_t half, std::int64_t count) {
        std::string &out = result_.out;
        const std::int64_t start = static_cast<std::int64_t>(out.size()) - 1 - half;
        if (start < 0) return false;
        auto index = static_cast<std::size_t>(start);
        for (std::int64_t k = 0; k < count; ++k) {
            if (!Emit(out[index++])) return false;
        }
        return true;
    }

    // Appends one output byte; false once the output is full.
    bool Emit(char c) {
        if (result_.out.size() >= qrpayload::kMaxAztecOutputBytes) return false;
        result_.out += c;
        if (c == '|') {
            result_.shown += "\r\n";
        } else if (c != '\0') {
            result_.shown += c;
        }
        return true;
    }

    BitReader reader_;
    std::int64_t last_ = 0;
    qrpayload::AztecDecoding result_;
};

}  // namespace

qrpayload::AztecDecoding GetCodeAztec(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    if (DecodeBase64(text, bytes) == 0) return {};
    return Decompressor(bytes).Run();
}
