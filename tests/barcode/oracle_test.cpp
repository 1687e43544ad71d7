// Our symbols against outside oracles: libqrencode's matrix for the same segments, and ZXing and
// zbarimg decoding back to the exact input bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "barcode/qr_encoder.h"
#include "barcode/qr_oracles.h"
#include "barcode/qr_tables.h"

namespace {

using barcode::QrParameters;
using barcode::QrTextState;

// Runs of digits, upper-case text, lower-case text with code page 1250 Polish letters and line
// feeds, so that every mode and every switch between them occurs.
std::string MixedText(std::size_t length, unsigned start) {
    static const std::string kBytes =
        "abcxyz\n\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
    static const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    std::mt19937 random(start);
    std::string text;
    while (text.size() < length) {
        const int kind = static_cast<int>(random() % 3);
        const int run = 1 + static_cast<int>(random() % 24);
        for (int i = 0; i < run && text.size() < length; ++i) {
            switch (kind) {
                case 0:
                    text += static_cast<char>('0' + random() % 10);
                    break;
                case 1:
                    text += kLetters[random() % kLetters.size()];
                    break;
                default:
                    text += kBytes[random() % kBytes.size()];
                    break;
            }
        }
    }
    return text;
}

QrParameters Fixed(int version, TQRCode_EccLevel level) {
    QrParameters p;
    p.MinVersion = p.MaxVersion = version;
    p.EccLevel = level;
    p.EccLevelUpgrade = false;
    return p;
}

bool Fits(const std::string &text, const QrParameters &parameters) {
    QrTextState state;
    barcode::ConfigureText(text, parameters, state);
    bool fits = false;
    if (barcode::VerifyLength(parameters, state)) barcode::CalculateDimension(parameters, state, fits);
    return fits;
}

// The longest prefix of a mixed text that still fits the version at the level.
std::string NearCapacityText(int version, TQRCode_EccLevel level) {
    const QrParameters parameters = Fixed(version, level);
    const std::string full = MixedText(8000, static_cast<unsigned>(version * 4 + level));
    std::size_t low = 0, high = full.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (Fits(full.substr(0, middle), parameters)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return full.substr(0, low);
}

struct Encoded {
    QrTextState state;
    TMapMatrix matrix;
};

Encoded EncodeWith(const std::string &text, const QrParameters &parameters) {
    Encoded e;
    barcode::ConfigureText(text, parameters, e.state);
    bool fits = false;
    barcode::CalculateDimension(parameters, e.state, fits);
    EXPECT_TRUE(fits);
    e.matrix = barcode::BuildMatrix(e.state);
    return e;
}

// Counts the modules outside the format information where two unmasked matrices differ; -1 when
// their sizes differ.
int Differences(const qrtest::Colours &ours, const qrtest::Colours &theirs) {
    if (theirs.size() != ours.size()) return -1;
    const int n = static_cast<int>(ours.size());
    int differences = 0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (!qrtest::IsFormatModule(r, c, n) && ours[r][c] != theirs[r][c]) ++differences;
        }
    }
    return differences;
}

int DifferencesFromQrencode(const Encoded &e, const std::string &data) {
    return Differences(qrtest::UnmaskedOurs(e.matrix),
                       qrtest::UnmaskedQrencode(data, e.state.Segments, e.state.Version, e.state.EccLevel));
}

TEST(QrOracles, EveryVersionAndLevelNearCapacityMatchesQrencodeAndDecodes) {
    for (int version = 1; version <= 40; ++version) {
        for (TQRCode_EccLevel level : {elLowest, elMedium, elQuality, elHighest}) {
            SCOPED_TRACE("version " + std::to_string(version) + " level " + std::to_string(level));
            const std::string text = NearCapacityText(version, level);
            ASSERT_GT(text.size(), 0u);
            QrParameters parameters;
            parameters.EccLevel = level;
            parameters.EccLevelUpgrade = false;
            const Encoded e = EncodeWith(text, parameters);
            EXPECT_EQ(e.state.Version, version);
            EXPECT_EQ(DifferencesFromQrencode(e, text), 0);
            EXPECT_TRUE(qrtest::DecodeWithZxing(e.matrix) == text) << text.size() << " bytes";
        }
    }
}

TEST(QrOracles, DocumentTextsDecodeWithZbarAndZxing) {
    const std::string hexLines =
        "LEG:0\nSZYFR:1\nSTART:\n"
        "3F9A0C11D2E47B58\n0A1B2C3D4E5F6071\n8899AABBCCDDEEFF\nC0FFEE0123456789\nEND";
    const std::string polish =
        "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1. \xA3\xF3"
        "d\x9F, \x8Cwi\xEA"
        "cko 12,50 z\xB3 / 3,217 km";
    const std::string mixture = "0123456789012345ABCDEFGH abc 9876543210 XYZ:/ \x01\x7F\xFF 42";
    const std::string longest = NearCapacityText(40, elLowest);
    int index = 0;
    for (const std::string &text : {hexLines, polish, mixture, longest}) {
        SCOPED_TRACE(index);
        barcode::QrSymbol symbol;
        ASSERT_EQ(barcode::EncodeSymbol(text, QrParameters{}, symbol), 0);
        EXPECT_TRUE(qrtest::DecodeWithZxing(symbol.Matrix) == text) << "ZXing";
        EXPECT_TRUE(qrtest::DecodeWithZbar(symbol.Matrix, "barcode_zbar_" + std::to_string(index++)) == text)
            << "zbarimg";
    }
}

// ECI, FNC1 and Structured Append headers: libqrencode builds the same symbol where it supports the
// header (its three-byte ECI designators and FNC1 in first position are broken), ZXing reads each.
TEST(QrOracles, EscapeHeadersMatchQrencodeAndDecode) {
    struct Case {
        const char *text;
        const char *data;
        bool qrencode;
        const char *zxingBytes;
        const char *identifier;
        bool eci;
    };
    const Case cases[] = {
        {"\\e[26]za\xBF\xF3\xB3\xE6", "za\xBF\xF3\xB3\xE6", true, "za\xBF\xF3\xB3\xE6", "]Q1", true},
        {"\\e[3]ABC\\e[200]12345", "ABC12345", true, "ABC12345", "]Q1", true},
        {"\\e[20000]text", "text", false, "text", "]Q1", true},
        {"\\f0112345678901231", "0112345678901231", false, "0112345678901231", "]Q3", false},
        {"\\t10ABC123", "10ABC123", false, "10ABC123", "]Q3", false},
        {"\\f[A]data", "data", true, "Adata", "]Q5", false},
        {"\\f[37]data", "data", true, "37data", "]Q5", false},
        {"\\d99data", "data", true, "99data", "]Q5", false},
        // Under FNC1 "%" stays out of alphanumeric segments, where a reader would turn it into a
        // group separator.
        {"\\f01%ABCDEFGH%%IJ", "01%ABCDEFGH%%IJ", false, "01%ABCDEFGH%%IJ", "]Q3", false},
        {"\\f[A]AB%CD", "AB%CD", true, "AAB%CD", "]Q5", false},
        {"AB\\fCD\\\\E",
         "AB\x1D"
         "CD\\E",
         true,
         "AB\x1D"
         "CD\\E",
         "]Q1", false},
    };
    QrParameters parameters;
    parameters.AllowEscape = true;
    parameters.EccLevelUpgrade = false;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const Encoded e = EncodeWith(c.text, parameters);
        EXPECT_EQ(e.state.Escaped.data, c.data);
        if (c.qrencode) {
            EXPECT_EQ(DifferencesFromQrencode(e, e.state.Escaped.data), 0);
        }
        const std::optional<qrtest::ZxingReading> reading = qrtest::ReadWithZxing(e.matrix);
        ASSERT_TRUE(reading.has_value());
        EXPECT_EQ(reading->bytes, c.zxingBytes);
        EXPECT_EQ(reading->identifier.substr(0, 3), c.identifier);
        EXPECT_EQ(reading->hasEci, c.eci);
    }
}

TEST(QrOracles, StructuredAppendHeaderMatchesQrencode) {
    QrParameters parameters;
    parameters.AllowEscape = true;
    parameters.EccLevelUpgrade = false;
    const Encoded e = EncodeWith("\\s[1,3,90]HELLO 123", parameters);
    barcode::SegmentList dataSegments(e.state.Segments.begin() + 1, e.state.Segments.end());
    ASSERT_EQ(e.state.Segments.front().Mode, emStructAppend);
    const qrtest::Colours theirs = qrtest::UnmaskedQrencodeStructured(
        e.state.Escaped.data, dataSegments, e.state.Version, e.state.EccLevel, 3, 90);
    EXPECT_EQ(Differences(qrtest::UnmaskedOurs(e.matrix), theirs), 0);
    const std::optional<qrtest::ZxingReading> reading = qrtest::ReadWithZxing(e.matrix);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->bytes, "HELLO 123");
    EXPECT_EQ(reading->sequenceIndex, 0);
    EXPECT_EQ(reading->sequenceSize, 3);
}

}  // namespace
