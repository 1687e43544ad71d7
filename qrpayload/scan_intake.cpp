#include "qrpayload/scan_intake.h"

#include "qrpayload/aztec_code.h"
#include "qrpayload/registration_document.h"
#include "qrpayload/scan_loaders.h"

namespace qrpayload {

namespace {

constexpr int kPauseTickMs = 3000;
constexpr std::size_t kProbeWindow = 12;
constexpr std::size_t kProbeMinLength = 13;
constexpr std::int32_t kDocumentMinSeconds = 4;
constexpr std::int32_t kLastReadLine = 23;  // later lines of a plain text go to the further memo

// The input's lines and how many of them are complete (followed by a line break).
struct TypedLines {
    std::vector<std::string> lines;
    std::size_t complete = 0;

    explicit TypedLines(std::string_view text) : lines(SplitMemoLines(text)), complete(lines.size()) {
        if (!text.empty() && text.back() != '\n' && text.back() != '\r') --complete;
    }
};

std::string JoinLines(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines) text += line + "\r\n";
    return text;
}

void ShowRead(ScanIntakeState &state, ScanScreen &screen, std::string text) {
    state.QrProgress.readText = std::move(text);
    screen.ShowRead(state.QrProgress.readText);
}

void ForgetProbe(ScanIntakeState &state) {
    state.QrProgress.probedText.clear();
    state.QrProgress.probeNext = 0;
}

// A 12-character window whose decoded text begins with "XX" starts a registration code.
bool StartsRegistrationCode(std::string_view window) {
    return GetCodeAztec(window).shown.starts_with("XX");
}

// Probes every window position p = 0 .. L-14 (0 alone for L = 13) that the input's earlier ticks
// have not probed; the position of the first recognised window, or npos.
std::size_t ProbeRegistrationCode(ScanIntakeState &state, const std::string &text) {
    auto &progress = state.QrProgress;
    if (text.compare(0, progress.probedText.size(), progress.probedText) != 0) progress.probeNext = 0;
    const std::size_t last = text.size() == kProbeMinLength ? 0 : text.size() - kProbeWindow - 2;
    for (std::size_t p = progress.probeNext; p <= last; ++p) {
        if (StartsRegistrationCode(std::string_view(text).substr(p, kProbeWindow))) return p;
    }
    progress.probeNext = last + 1;
    progress.probedText = text;
    return std::string::npos;
}

void StepWaiting(ScanIntakeState &state, ScanScreen &screen) {
    const std::string text = screen.InputText();
    const TypedLines input(text);
    for (std::size_t i = 0; i < input.complete; ++i) {
        if (input.lines[i] == "LEG:0") {
            state.QrEncrypted = 0;
            state.QrScanState = 1;
            state.QrLegLine = static_cast<std::int32_t>(i);
        }
    }
    if (text.size() < kProbeMinLength) return;
    const std::size_t start = ProbeRegistrationCode(state, text);
    if (start == std::string::npos) return;
    ForgetProbe(state);
    state.QrScanState = 4;
    state.AztecStart = static_cast<std::int32_t>(start);
    ShowRead(state, screen, "AZTEC.");
    screen.ShowFurther("");
    state.ScanTick = 0;
    state.QrProgress.documentTick = 0;
    state.QrProgress.documentLength = text.size();
    screen.CountSeconds(true);
}

void ReadDocument(ScanIntakeState &state, ScanScreen &screen, std::string_view text) {
    screen.CountSeconds(false);
    const auto start = static_cast<std::size_t>(state.AztecStart);
    const RegistrationDocument document =
        ReadRegistrationDocument(start < text.size() ? text.substr(start) : "");
    screen.ShowDocumentFields(document.FieldText());
    ShowRead(state, screen, JoinLines(document.DisplayLines()));
    if (screen.LoadChosen()) {
        screen.SetField(ScanField::RegistrationNumber, document.RegistrationNumber());
        screen.SetField(ScanField::Vin, document.Vin());
        screen.SetField(ScanField::VehicleMake, document.Make());
        if (screen.ApplicantIsInstrumentUser()) screen.SetApplicant(document.ApplicantLines());
    }
    screen.ClearInput();
    screen.SetTickInterval(kPauseTickMs);
    state.QrScanState = 5;
}

// The code is read once at least 4 s have passed since it was recognised and it has stopped
// growing for a whole second, or at the latest after kDocumentMaxSeconds; until then a dot a tick.
void StepDocument(ScanIntakeState &state, ScanScreen &screen) {
    const std::string text = screen.InputText();
    auto &progress = state.QrProgress;
    if (state.ScanTick != progress.documentTick) {
        const bool settled = text.size() == progress.documentLength;
        progress.documentTick = state.ScanTick;
        progress.documentLength = text.size();
        if (state.ScanTick >= kDocumentMinSeconds && (settled || state.ScanTick >= kDocumentMaxSeconds)) {
            ReadDocument(state, screen, text);
            return;
        }
    }
    ShowRead(state, screen, progress.readText + ".");
}

void StepCipherLine(ScanIntakeState &state, ScanScreen &screen) {
    const TypedLines input(screen.InputText());
    for (std::size_t i = 0; i < input.complete; ++i) {
        const std::string &line = input.lines[i];
        if (line == "SZYFR:3DES" || line == "SZYFR:NONE") {
            state.QrScanState = 2;
            state.QrEncrypted = line == "SZYFR:3DES" ? 1 : 0;
        }
    }
}

void StepStartLine(ScanIntakeState &state, ScanScreen &screen) {
    const TypedLines input(screen.InputText());
    for (std::size_t i = 0; i < input.complete; ++i) {
        if (input.lines[i] != "START:") continue;
        state.QrScanState = 3;
        state.QrLineIndex = static_cast<std::int32_t>(i + 1);
        ShowRead(state, screen, "");
        state.QrProgress.furtherText.clear();
        screen.ShowFurther("");
        state.QrLoadSection = screen.OptionsShown() && screen.LoadChosen() ? 1 : 0;
        return;
    }
}

// The whole own text, "LEG:0" to "END", kept for the documents; then the identity captions of
// the shown lines are loaded when asked for.
void FinishOwnText(ScanIntakeState &state, ScanScreen &screen, const TypedLines &input) {
    state.ScannedQrText.clear();
    const auto end = static_cast<std::size_t>(state.QrLineIndex);
    for (auto i = static_cast<std::size_t>(state.QrLegLine); i <= end && i < input.lines.size(); ++i) {
        if (!input.lines[i].empty()) state.ScannedQrText += input.lines[i] + "\r\n";
    }
    screen.ClearInput();
    ForgetProbe(state);
    state.QrScanState = 0;
    if (state.QrLoadSection != 1) return;
    for (const std::string &line : SplitMemoLines(state.QrProgress.readText))
        LoadIdentityLine(state, screen, line);
}

// Reads the complete body lines that have arrived, up to kBodyLinesPerTick of them.
void StepBody(ScanIntakeState &state, ScanScreen &screen, QrPayloadState &cipher) {
    const TypedLines input(screen.InputText());
    auto &progress = state.QrProgress;
    const std::string readBefore = progress.readText, furtherBefore = progress.furtherText;
    bool finished = false;
    for (int n = 0; n < kBodyLinesPerTick; ++n) {
        const auto i = static_cast<std::size_t>(state.QrLineIndex);
        if (i >= input.lines.size()) break;
        const std::string &line = input.lines[i];
        if (line == "END") {
            finished = true;
            break;
        }
        if (i >= input.complete) break;
        if (state.QrEncrypted == 1) {
            if (!line.empty()) {
                const std::string block = cipher.ReadQR(line);
                progress.readText += block.substr(0, block.find('\0'));
            }
        } else {
            (state.QrLineIndex <= kLastReadLine ? progress.readText : progress.furtherText) += line + "\r\n";
            if (state.QrLoadSection != 0) LoadPlainLine(state, screen, line);
        }
        ++state.QrLineIndex;
    }
    if (progress.readText != readBefore) screen.ShowRead(progress.readText);
    if (progress.furtherText != furtherBefore) screen.ShowFurther(progress.furtherText);
    if (finished) FinishOwnText(state, screen, input);
}

}  // namespace

void StartScan(ScanIntakeState &state, ScanScreen &screen) {
    ShowRead(state, screen, "... zeskanuj kod QR ...");
    screen.ClearInput();
    state.QrProgress.furtherText.clear();
    screen.ShowFurther("");
    ForgetProbe(state);
    state.QrScanState = 0;
}

void ScanStep(ScanIntakeState &state, ScanScreen &screen, QrPayloadState &cipher) {
    switch (state.QrScanState) {
        case 0:
            StepWaiting(state, screen);
            break;
        case 1:
            StepCipherLine(state, screen);
            break;
        case 2:
            StepStartLine(state, screen);
            break;
        case 3:
            StepBody(state, screen, cipher);
            break;
        case 4:
            StepDocument(state, screen);
            break;
        default:
            screen.ClearInput();
            ForgetProbe(state);
            state.QrScanState = 0;
            screen.SetTickInterval(kScanTickMs);
            break;
    }
}

}  // namespace qrpayload
