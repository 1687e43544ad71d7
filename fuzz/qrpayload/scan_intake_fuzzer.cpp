// The scanner intake fed arbitrary typed input: the first byte sets how many bytes arrive per tick,
// the rest is typed. Every state must stay within 0..5 and never read past the typed lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "qrpayload/registration_document.h"
#include "tests/qrpayload/fake_scan_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) return 0;
    // At most a hundred ticks of typing: each tick looks at the whole input typed so far.
    const std::size_t chunk = std::max<std::size_t>(data[0] % 64 + 1, size / 100 + 1);
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    qrpayload::FakeScreen screen;
    qrpayload::ScanIntakeState state;
    static qrpayload::QrPayloadState cipher;
    qrpayload::StartScan(state, screen);
    int ticks = 0;
    std::string counted;  // the input whose lines `lines` counts
    std::size_t lines = 0;
    const auto tick = [&] {
        qrpayload::ScanStep(state, screen, cipher);
        if (state.QrScanState > 5) std::abort();
        if (state.QrScanState == 3) {
            if (counted != screen.input) {
                counted = screen.input;
                lines = qrpayload::SplitMemoLines(counted).size();
            }
            if (static_cast<std::size_t>(state.QrLineIndex) > lines) std::abort();
        }
        if (++ticks % 20 == 0 && screen.counting) ++state.ScanTick;
    };
    for (std::size_t at = 0; at < text.size(); at += chunk) {
        screen.input += text.substr(at, chunk);
        tick();
    }
    // Ten seconds without input; waiting for input that no longer comes changes nothing more.
    for (int k = 0; k < 200; ++k) {
        tick();
        if (state.QrScanState == 0 && !screen.counting) break;
    }
    return 0;
}
