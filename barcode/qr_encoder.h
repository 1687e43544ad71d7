#pragma once
// The QR Code encoder's stages over one text: length and character checks, the choice of version
// and level, the codewords and the module matrix. The barcode component runs them one by one and
// caches each result; EncodeSymbol runs them all.
#include <string>
#include <string_view>
#include <vector>

#include "barcode/escapes.h"
#include "barcode/qr_types.h"

namespace barcode {

// The component's QR properties that decide the encoding.
struct QrParameters {
    int MinVersion = kMinVersion;
    int MaxVersion = kMaxVersion;
    TQRCode_EccLevel EccLevel = elLowest;
    bool EccLevelUpgrade = true;
    bool AllowKanjiMode = false;
    bool AllowEscape = false;
    TQRCode_EncodePolicy EncodePolicy = epMixingOptimal;
};

// What the encoding of one text keeps between stages.
struct QrTextState {
    std::string Data;         // the text as given (escapes still in it)
    EscapedText Escaped;      // with escapes allowed: the text taken apart
    int CharCount = 0;        // data characters (after unescaping)
    int ExtraBits = 0;        // header bits the escapes add
    int AnalysedVersion = 0;  // version of the last analysis, 0 = not analysed
    SegmentList Segments;     // result of the last analysis
    TEncodeStatistic Statistic;
    BitStream Stream;  // entries for the chosen version
    int Version = kMinVersion;
    TQRCode_EccLevel EccLevel = elLowest;
};

// Stores the text and, with escapes allowed, takes it apart and counts its characters and header bits.
void ConfigureText(std::string_view text, const QrParameters &parameters, QrTextState &state);

// Whether the text can fit the largest allowed symbol at the requested level (a quick upper bound).
bool VerifyLength(const QrParameters &parameters, const QrTextState &state);

// 0, or the 1-based position of the first escape that does not parse.
int VerifyAllChars(const QrParameters &parameters, const QrTextState &state);

// Chooses the smallest version from MinVersion to MaxVersion that holds the data at the requested
// level, then the highest level that version still holds when the upgrade is on, and builds the bit
// stream. `fits` is false when no allowed version holds the data. Returns whether version or level
// changed.
bool CalculateDimension(const QrParameters &parameters, QrTextState &state, bool &fits);

// The finished matrix of the chosen version and level from the bit stream.
TMapMatrix BuildMatrix(const QrTextState &state);

struct QrSymbol {
    int Version = 0;
    TQRCode_EccLevel EccLevel = elLowest;
    TMapMatrix Matrix;
};

// All stages: 0 with the symbol filled, -1 when the text is too long, else the 1-based position of
// the first bad character.
int EncodeSymbol(std::string_view text, const QrParameters &parameters, QrSymbol &symbol);

}  // namespace barcode
