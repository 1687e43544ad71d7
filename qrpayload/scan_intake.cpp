#include "qrpayload/scan_intake.h"

#include "qrpayload/aztec_code.h"
#include "qrpayload/registration_document.h"
#include "qrpayload/scan_loaders.h"

namespace qrpayload {

namespace {

using TypedInput = ScanIntakeState::TypedInput;

constexpr int kPauseTickMs = 3000;
constexpr std::size_t kProbeWindow = 12;
constexpr std::size_t kProbeMinLength = 13;
constexpr std::int32_t kDocumentMinSeconds = 4;
constexpr std::int32_t kLastReadLine = 23;  // later lines of a plain text go to the further memo

// Reads what was typed since the last tick and splits off the lines it completes; an input that
// shrank was replaced and is read again from its start.
TypedInput &ReadNewInput(ScanIntakeState &state, const ScanScreen &screen) {
    TypedInput &input = state.QrProgress.input;
    const std::size_t size = screen.InputSize();
    if (size < input.seen) input = TypedInput{};
    if (size == input.seen) return input;
    std::string &text = input.text;
    std::size_t at = text.size();
    text += screen.InputFrom(input.seen);
    input.seen = size;
    if (input.afterCr && at < text.size()) {
        input.afterCr = false;
        if (text[at] == '\n') input.tailStart = ++at;
    }
    for (std::size_t end; (end = text.find_first_of("\r\n", at)) != std::string::npos;) {
        input.lines.emplace_back(text, input.tailStart, end - input.tailStart);
        at = end + 1;
        if (text[end] == '\r') {
            if (at == text.size()) input.afterCr = true;
            else if (text[at] == '\n') ++at;
        }
        input.tailStart = at;
    }
    return input;
}

// The lines typed so far, the last one possibly not complete yet.
std::size_t LineCount(const TypedInput &input) {
    return input.lines.size() + (input.tailStart < input.text.size() ? 1 : 0);
}

std::string_view Line(const TypedInput &input, std::size_t i) {
    if (i < input.lines.size()) return input.lines[i];
    return std::string_view(input.text).substr(input.tailStart);
}

// Empties the input memo and forgets what was read of it.
void ClearInput(ScanIntakeState &state, ScanScreen &screen) {
    screen.ClearInput();
    state.QrProgress.input = TypedInput{};
}

// Moves to a state that looks for its line among all the lines typed so far.
void EnterState(ScanIntakeState &state, std::uint8_t scanState) {
    state.QrScanState = scanState;
    state.QrProgress.input.linesChecked = 0;
}

std::string JoinLines(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines) text += line + "\r\n";
    return text;
}

void ShowRead(ScanIntakeState &state, ScanScreen &screen, std::string text) {
    state.QrProgress.readText = std::move(text);
    screen.ShowRead(state.QrProgress.readText);
}

// A 12-character window whose decoded text begins with "XX" starts a registration code.
bool StartsRegistrationCode(std::string_view window) {
    return GetCodeAztec(window).shown.starts_with("XX");
}

// Probes every window position p = 0 .. L-14 (0 alone for L = 13) that the earlier ticks have not
// probed; the position of the first recognised window, or npos.
std::size_t ProbeRegistrationCode(TypedInput &input) {
    const std::string_view text = input.text;
    const std::size_t last = text.size() == kProbeMinLength ? 0 : text.size() - kProbeWindow - 2;
    for (std::size_t p = input.probeNext; p <= last; ++p) {
        if (StartsRegistrationCode(text.substr(p, kProbeWindow))) return p;
    }
    input.probeNext = last + 1;
    return std::string::npos;
}

void StepWaiting(ScanIntakeState &state, ScanScreen &screen) {
    TypedInput &input = ReadNewInput(state, screen);
    bool found = false;
    for (std::size_t i = input.linesChecked; i < input.lines.size(); ++i) {
        if (input.lines[i] == "LEG:0") {
            state.QrEncrypted = 0;
            state.QrLegLine = static_cast<std::int32_t>(i);
            found = true;
        }
    }
    input.linesChecked = input.lines.size();
    if (found) EnterState(state, 1);
    if (input.text.size() < kProbeMinLength) return;
    const std::size_t start = ProbeRegistrationCode(input);
    if (start == std::string::npos) return;
    state.QrScanState = 4;
    state.AztecStart = static_cast<std::int32_t>(start);
    ShowRead(state, screen, "AZTEC.");
    screen.ShowFurther("");
    state.ScanTick = 0;
    state.QrProgress.documentTick = 0;
    state.QrProgress.documentLength = input.text.size();
    screen.CountSeconds(true);
}

void ReadDocument(ScanIntakeState &state, ScanScreen &screen) {
    screen.CountSeconds(false);
    const std::string_view text = state.QrProgress.input.text;
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
    ClearInput(state, screen);
    screen.SetTickInterval(kPauseTickMs);
    state.QrScanState = 5;
}

// The code is read once at least 4 s have passed since it was recognised and it has stopped
// growing for a whole second, or at the latest after kDocumentMaxSeconds; until then a dot a tick.
void StepDocument(ScanIntakeState &state, ScanScreen &screen) {
    const std::size_t length = ReadNewInput(state, screen).text.size();
    auto &progress = state.QrProgress;
    if (state.ScanTick != progress.documentTick) {
        const bool settled = length == progress.documentLength;
        progress.documentTick = state.ScanTick;
        progress.documentLength = length;
        if (state.ScanTick >= kDocumentMinSeconds && (settled || state.ScanTick >= kDocumentMaxSeconds)) {
            ReadDocument(state, screen);
            return;
        }
    }
    ShowRead(state, screen, progress.readText + ".");
}

void StepCipherLine(ScanIntakeState &state, ScanScreen &screen) {
    TypedInput &input = ReadNewInput(state, screen);
    bool found = false;
    for (std::size_t i = input.linesChecked; i < input.lines.size(); ++i) {
        const std::string &line = input.lines[i];
        if (line == "SZYFR:3DES" || line == "SZYFR:NONE") {
            state.QrEncrypted = line == "SZYFR:3DES" ? 1 : 0;
            found = true;
        }
    }
    input.linesChecked = input.lines.size();
    if (found) EnterState(state, 2);
}

void StepStartLine(ScanIntakeState &state, ScanScreen &screen) {
    TypedInput &input = ReadNewInput(state, screen);
    for (std::size_t i = input.linesChecked; i < input.lines.size(); ++i) {
        if (input.lines[i] != "START:") continue;
        EnterState(state, 3);
        state.QrLineIndex = static_cast<std::int32_t>(i + 1);
        ShowRead(state, screen, "");
        state.QrProgress.furtherText.clear();
        screen.ShowFurther("");
        state.QrLoadSection = screen.OptionsShown() && screen.LoadChosen() ? 1 : 0;
        return;
    }
    input.linesChecked = input.lines.size();
}

// The whole own text, "LEG:0" to "END", kept for the documents; then the identity captions of
// the shown lines are loaded when asked for.
void FinishOwnText(ScanIntakeState &state, ScanScreen &screen) {
    const TypedInput &input = state.QrProgress.input;
    state.ScannedQrText.clear();
    const auto end = static_cast<std::size_t>(state.QrLineIndex);
    const std::size_t count = LineCount(input);
    for (auto i = static_cast<std::size_t>(state.QrLegLine); i <= end && i < count; ++i) {
        const std::string_view line = Line(input, i);
        if (!line.empty()) (state.ScannedQrText += line) += "\r\n";
    }
    ClearInput(state, screen);
    state.QrScanState = 0;
    if (state.QrLoadSection != 1) return;
    for (const std::string &line : SplitMemoLines(state.QrProgress.readText))
        LoadIdentityLine(state, screen, line);
}

// Reads the complete body lines that have arrived, up to kBodyLinesPerTick of them.
void StepBody(ScanIntakeState &state, ScanScreen &screen, QrPayloadState &cipher) {
    const TypedInput &input = ReadNewInput(state, screen);
    auto &progress = state.QrProgress;
    const std::size_t readBefore = progress.readText.size(), furtherBefore = progress.furtherText.size();
    bool finished = false;
    for (int n = 0; n < kBodyLinesPerTick; ++n) {
        const auto i = static_cast<std::size_t>(state.QrLineIndex);
        if (i >= LineCount(input)) break;
        const std::string line(Line(input, i));
        if (line == "END") {
            finished = true;
            break;
        }
        if (i >= input.lines.size()) break;
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
    // The texts only grow while the body is read.
    if (progress.readText.size() != readBefore) screen.ShowRead(progress.readText);
    if (progress.furtherText.size() != furtherBefore) screen.ShowFurther(progress.furtherText);
    if (finished) FinishOwnText(state, screen);
}

}  // namespace

void StartScan(ScanIntakeState &state, ScanScreen &screen) {
    ShowRead(state, screen, "... zeskanuj kod QR ...");
    ClearInput(state, screen);
    state.QrProgress.furtherText.clear();
    screen.ShowFurther("");
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
            ClearInput(state, screen);
            state.QrScanState = 0;
            screen.SetTickInterval(kScanTickMs);
            break;
    }
}

}  // namespace qrpayload
