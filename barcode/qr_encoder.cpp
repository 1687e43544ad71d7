#include "barcode/qr_encoder.h"

#include "barcode/bit_stream.h"
#include "barcode/codewords.h"
#include "barcode/matrix.h"
#include "barcode/qr_tables.h"
#include "barcode/segmentation.h"

namespace barcode {

namespace {

constexpr TQRCode_EccLevel kLevelsFromHighest[] = {elHighest, elQuality, elMedium, elLowest};

int EscapeBits(const QrParameters &parameters, const QrTextState &state) {
    return parameters.AllowEscape ? state.ExtraBits : 0;
}

void AnalyseFor(int version, const QrParameters &parameters, QrTextState &state) {
    if (parameters.AllowEscape) {
        AnalyseEscaped(state.Escaped, version, parameters.EncodePolicy, parameters.AllowKanjiMode,
                       state.Segments, state.Statistic);
    } else {
        Analyse(state.Data, version, parameters.EncodePolicy, parameters.AllowKanjiMode, state.Segments,
                state.Statistic);
    }
    state.AnalysedVersion = version;
}

}  // namespace

void ConfigureText(std::string_view text, const QrParameters &parameters, QrTextState &state) {
    state.Data.assign(text);
    state.AnalysedVersion = 0;
    if (parameters.AllowEscape) {
        FilterEscape(text, state.CharCount, state.ExtraBits);
        ParseEscapes(text, state.Escaped);
    } else {
        state.CharCount = static_cast<int>(text.size());
        state.ExtraBits = 0;
    }
}

bool VerifyLength(const QrParameters &parameters, const QrTextState &state) {
    return DigitCapacity(parameters.MaxVersion, parameters.EccLevel, EscapeBits(parameters, state)) >=
           state.CharCount;
}

int VerifyAllChars(const QrParameters &parameters, const QrTextState &state) {
    return parameters.AllowEscape ? VerifyEscape(state.Data) : 0;
}

bool CalculateDimension(const QrParameters &parameters, QrTextState &state, bool &fits) {
    fits = false;
    int chosen = 0;
    bool analysedNow = false;
    for (int v = parameters.MinVersion; v <= parameters.MaxVersion; ++v) {
        if (DigitCapacity(v, parameters.EccLevel, EscapeBits(parameters, state)) < state.CharCount) continue;
        if (state.AnalysedVersion == 0 || VersionGroup(state.AnalysedVersion) != VersionGroup(v)) {
            AnalyseFor(v, parameters, state);
            analysedNow = true;
        }
        if (DataCodewords(v, parameters.EccLevel) * 8 >= state.Statistic.BitCount) {
            chosen = v;
            fits = true;
            break;
        }
    }
    if (!fits) return false;
    if (analysedNow || state.Stream.empty()) {
        state.Stream.clear();
        state.Stream.reserve(state.Statistic.EntryCount + 1);
        EncodeSegments(parameters.AllowEscape ? state.Escaped.data : state.Data, chosen, state.Segments,
                       state.Stream);
    }
    bool changed = chosen != state.Version;
    state.Version = chosen;
    TQRCode_EccLevel level = parameters.EccLevel;
    if (parameters.EccLevelUpgrade) {
        for (TQRCode_EccLevel candidate : kLevelsFromHighest) {
            if (candidate < parameters.EccLevel) break;
            if (DataCodewords(chosen, candidate) * 8 >= state.Statistic.BitCount) {
                level = candidate;
                break;
            }
        }
    }
    changed = changed || level != state.EccLevel;
    state.EccLevel = level;
    return changed;
}

TMapMatrix BuildMatrix(const QrTextState &state) {
    TMapMatrix matrix = EmptyMatrix(state.Version);
    PlaceModules(matrix, LevelTwoCodewords(state.Stream, state.Version, state.EccLevel), state.Version,
                 state.EccLevel);
    return matrix;
}

int EncodeSymbol(std::string_view text, const QrParameters &parameters, QrSymbol &symbol) {
    QrTextState state;
    ConfigureText(text, parameters, state);
    if (!VerifyLength(parameters, state)) return -1;
    if (const int bad = VerifyAllChars(parameters, state); bad > 0) return bad;
    bool fits = false;
    CalculateDimension(parameters, state, fits);
    if (!fits) return -1;
    symbol.Version = state.Version;
    symbol.EccLevel = state.EccLevel;
    symbol.Matrix = BuildMatrix(state);
    return 0;
}

}  // namespace barcode
