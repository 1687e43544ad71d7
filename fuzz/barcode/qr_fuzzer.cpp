// Any text, with or without escapes, under any encoder settings: a symbol of the chosen version,
// -1 or a position inside the text, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "barcode/qr_encoder.h"
#include "barcode/qr_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t options = data[0], versions = data[1];
    barcode::QrParameters parameters;
    parameters.AllowEscape = (options & 1) != 0;
    parameters.AllowKanjiMode = (options & 2) != 0;
    parameters.EccLevelUpgrade = (options & 4) != 0;
    parameters.EccLevel = static_cast<TQRCode_EccLevel>((options >> 3) & 3);
    parameters.EncodePolicy = static_cast<TQRCode_EncodePolicy>(((options >> 5) & 3) % 3);
    // Small smallest versions keep each run quick (the mask choice scores every module eight
    // times); a smallest version up to 10 for one input in eight, and long texts, reach the rest.
    parameters.MinVersion = 1 + versions % (options & 0x80 ? 10 : 3);
    parameters.MaxVersion = parameters.MinVersion + (versions / 10) % (41 - parameters.MinVersion);
    const std::string_view text(reinterpret_cast<const char *>(data + 2), size - 2);
    barcode::QrSymbol symbol;
    const int result = barcode::EncodeSymbol(text, parameters, symbol);
    if (result > static_cast<int>(text.size()) + 1 || result < -1) std::abort();
    if (result == 0) {
        if (symbol.Version < parameters.MinVersion || symbol.Version > parameters.MaxVersion) std::abort();
        if (static_cast<int>(symbol.Matrix.size()) != barcode::SymbolSize(symbol.Version)) std::abort();
    }
    return 0;
}
