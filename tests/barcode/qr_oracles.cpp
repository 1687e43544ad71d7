#include "barcode/qr_oracles.h"

#include <ZXing/ReadBarcode.h>
#include <qrencode.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "barcode/masking.h"

namespace qrtest {

namespace {

QRecLevel ToQrencode(TQRCode_EccLevel level) {
    switch (level) {
        case elLowest:
            return QR_ECLEVEL_L;
        case elMedium:
            return QR_ECLEVEL_M;
        case elQuality:
            return QR_ECLEVEL_Q;
        default:
            return QR_ECLEVEL_H;
    }
}

bool AppendSegment(QRinput *input, const std::string &data, const barcode::Segment &segment) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.data()) + segment.Start;
    switch (segment.Mode) {
        case emNumeric:
            return QRinput_append(input, QR_MODE_NUM, segment.Length, bytes) == 0;
        case emAlphanumeric:
            return QRinput_append(input, QR_MODE_AN, segment.Length, bytes) == 0;
        case emByte:
            return QRinput_append(input, QR_MODE_8, segment.Length, bytes) == 0;
        case emKanji:
            return QRinput_append(input, QR_MODE_KANJI, segment.Length, bytes) == 0;
        case emECI:
            return QRinput_appendECIheader(input, segment.Value) == 0;
        case emFNC1A:
            return QRinput_setFNC1First(input) == 0;
        case emFNC1B:
            return QRinput_setFNC1Second(input, static_cast<unsigned char>(segment.Value)) == 0;
        default:
            return false;
    }
}

Colours Unmask(Colours colours, const std::vector<std::vector<bool>> &isData) {
    const int mask = FormatMask(colours);
    for (std::size_t r = 0; r < colours.size(); ++r) {
        for (std::size_t c = 0; c < colours.size(); ++c) {
            if (isData[r][c]) colours[r][c] ^= GetMaskValue(static_cast<unsigned char>(mask), r, c);
        }
    }
    return colours;
}

}  // namespace

int FormatMask(const Colours &colours) {
    const int n = static_cast<int>(colours.size());
    const int rows[15] = {0, 1, 2, 3, 4, 5, 7, 8, n - 7, n - 6, n - 5, n - 4, n - 3, n - 2, n - 1};
    unsigned bits = 0;
    for (int i = 0; i < 15; ++i) bits |= static_cast<unsigned>(colours[rows[i]][8]) << i;
    return static_cast<int>(((bits ^ 0x5412) >> 10) & 7);
}

Colours ColoursOf(const TMapMatrix &matrix) {
    Colours colours(matrix.size(), std::vector<int>(matrix.size()));
    for (std::size_t r = 0; r < matrix.size(); ++r) {
        for (std::size_t c = 0; c < matrix.size(); ++c) colours[r][c] = matrix[r][c] & 1;
    }
    return colours;
}

Colours UnmaskedOurs(const TMapMatrix &matrix) {
    std::vector<std::vector<bool>> isData(matrix.size(), std::vector<bool>(matrix.size()));
    for (std::size_t r = 0; r < matrix.size(); ++r) {
        for (std::size_t c = 0; c < matrix.size(); ++c) isData[r][c] = (matrix[r][c] & 0x02) != 0;
    }
    return Unmask(ColoursOf(matrix), isData);
}

namespace {

QRinput *QrencodeInput(const std::string &data, const barcode::SegmentList &segments, int version,
                       TQRCode_EccLevel level) {
    QRinput *input = QRinput_new2(version, ToQrencode(level));
    bool ok = input != nullptr;
    for (const barcode::Segment &segment : segments) ok = ok && AppendSegment(input, data, segment);
    if (!ok && input != nullptr) {
        QRinput_free(input);
        return nullptr;
    }
    return input;
}

Colours UnmaskedCode(QRcode *code, int version) {
    if (code == nullptr) return {};
    Colours result;
    if (code->version == version) {
        const int n = code->width;
        Colours colours(n, std::vector<int>(n));
        std::vector<std::vector<bool>> isData(n, std::vector<bool>(n));
        for (int r = 0; r < n; ++r) {
            for (int c = 0; c < n; ++c) {
                const unsigned char module = code->data[r * n + c];
                colours[r][c] = module & 1;
                isData[r][c] = (module & 0x80) == 0;
            }
        }
        result = Unmask(colours, isData);
    }
    return result;
}

}  // namespace

Colours UnmaskedQrencode(const std::string &data, const barcode::SegmentList &segments, int version,
                         TQRCode_EccLevel level) {
    QRinput *input = QrencodeInput(data, segments, version, level);
    if (input == nullptr) return {};
    QRcode *code = QRcode_encodeInput(input);
    QRinput_free(input);
    Colours result = UnmaskedCode(code, version);
    if (code != nullptr) QRcode_free(code);
    return result;
}

Colours UnmaskedQrencodeStructured(const std::string &data, const barcode::SegmentList &segments, int version,
                                   TQRCode_EccLevel level, int total, unsigned char parity) {
    QRinput_Struct *sequence = QRinput_Struct_new();
    QRinput_Struct_setParity(sequence, parity);
    QRinput *first = QrencodeInput(data, segments, version, level);
    bool ok = first != nullptr && QRinput_Struct_appendInput(sequence, first) >= 0;
    for (int i = 1; ok && i < total; ++i) {
        QRinput *filler = QRinput_new2(version, ToQrencode(level));
        ok = QRinput_append(filler, QR_MODE_AN, 1, reinterpret_cast<const unsigned char *>("X")) == 0 &&
             QRinput_Struct_appendInput(sequence, filler) >= 0;
    }
    ok = ok && QRinput_Struct_insertStructuredAppendHeaders(sequence) == 0;
    QRcode_List *codes = ok ? QRcode_encodeInputStructured(sequence) : nullptr;
    Colours result = codes != nullptr ? UnmaskedCode(codes->code, version) : Colours{};
    if (codes != nullptr) QRcode_List_free(codes);
    QRinput_Struct_free(sequence);
    return result;
}

bool IsFormatModule(int row, int column, int n) {
    const bool nearTopLeft = (row == 8 && (column <= 8)) || (column == 8 && row <= 8);
    const bool topRight = row == 8 && column >= n - 8;
    const bool bottomLeft = column == 8 && row >= n - 7;
    return nearTopLeft || topRight || bottomLeft;
}

std::vector<unsigned char> Render(const TMapMatrix &matrix, int scale, int &side) {
    constexpr int kQuietZone = 4;
    const int n = static_cast<int>(matrix.size());
    side = (n + 2 * kQuietZone) * scale;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(side) * side, 255);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if ((matrix[r][c] & 1) == 0) continue;
            for (int y = 0; y < scale; ++y) {
                for (int x = 0; x < scale; ++x) {
                    pixels[static_cast<std::size_t>((r + kQuietZone) * scale + y) * side +
                           (c + kQuietZone) * scale + x] = 0;
                }
            }
        }
    }
    return pixels;
}

std::optional<ZxingReading> ReadWithZxing(const TMapMatrix &matrix) {
    int side = 0;
    const std::vector<unsigned char> pixels = Render(matrix, 3, side);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    const ZXing::Result result =
        ZXing::ReadBarcode(ZXing::ImageView(pixels.data(), side, side, ZXing::ImageFormat::Lum), hints);
    if (!result.isValid()) return std::nullopt;
    const ZXing::ByteArray &bytes = result.bytes();
    return ZxingReading{std::string(bytes.begin(), bytes.end()), result.symbologyIdentifier(),
                        result.hasECI(), result.sequenceIndex(), result.sequenceSize()};
}

std::optional<std::string> DecodeWithZxing(const TMapMatrix &matrix) {
    const std::optional<ZxingReading> reading = ReadWithZxing(matrix);
    if (!reading) return std::nullopt;
    return reading->bytes;
}

std::optional<std::string> DecodeWithZbar(const TMapMatrix &matrix, const std::string &name) {
    int side = 0;
    const std::vector<unsigned char> pixels = Render(matrix, 3, side);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / (name + ".pgm");
    {
        std::ofstream file(path, std::ios::binary);
        file << "P5\n" << side << ' ' << side << "\n255\n";
        file.write(reinterpret_cast<const char *>(pixels.data()),
                   static_cast<std::streamsize>(pixels.size()));
    }
    const std::string command = "zbarimg --raw -q -Sbinary '" + path.string() + "' 2>/dev/null";
    FILE *pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
    const int status = pclose(pipe);
    std::filesystem::remove(path);
    if (status != 0) return std::nullopt;
    if (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
}

}  // namespace qrtest
