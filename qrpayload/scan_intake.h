#pragma once
// The intake of what a code scanner types into the input memo: the station's own QR text (plain or
// enciphered, read line by line after its "START:" line) and a vehicle registration document's
// code (recognised by a probe of every 12-character window, read once it has stopped arriving).
//
// One step runs per timer tick and looks at the input as typed at that moment. A line is taken only
// once it is complete (a line break follows it, or it is "END"), so slow typing loses nothing and
// the intake never reads past what has been typed. Texts are code page 1250 bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "qrpayload/qr_text.h"

namespace qrpayload {

// The job fields a scanned code can fill.
enum class ScanField {
    RegistrationNumber,
    ProductionDate,
    MeterConstant,
    TyreWidth,
    TyreProfile,
    TyreRim,
    TyreSize,
    VehicleMake,
    Vin,
    MeterSerial,
    CertificateNumber,
    TypeDesignation,
    CalculationSystem,
    OrderNumber,
    OrderDate,
    TariffConstantC,
    TariffUnit,
    TariffUnit2,
    SurchargeUnit,
    SurchargeUnit2,
};

// Rows of the tariff page's parameter edits that a plain tariff text fills.
enum class ScanTariffRow { InitialFee, FeePerKm, FeePerHour, InitialDistance, InitialTime };

struct ScanFieldState {
    std::string text;
    bool enabled = true;
};

// What the intake reads and writes of the scanned-code screen and the job's fields.
class ScanScreen {
public:
    virtual ~ScanScreen() = default;

    // The input memo as typed, its line breaks included (also one after the last line): its size
    // and its text from a position on, both counted in the memo's characters.
    virtual std::size_t InputSize() const = 0;
    virtual std::string InputFrom(std::size_t position) const = 0;
    virtual void ClearInput() = 0;
    // The memo of what was read, and the memo of a long plain text's further lines.
    virtual void ShowRead(const std::string &text) = 0;
    virtual void ShowFurther(const std::string &text) = 0;
    // The hidden memo of the registration document's fields, one per line.
    virtual void ShowDocumentFields(const std::string &text) = 0;
    virtual void SetTickInterval(int ms) = 0;
    virtual void CountSeconds(bool on) = 0;

    // The option frame is shown and its tick panel asks for the values to be loaded.
    virtual bool OptionsShown() const = 0;
    virtual bool LoadChosen() const = 0;
    virtual bool ChangeProcedureOn() const = 0;
    virtual bool ApplicantIsInstrumentUser() const = 0;
    virtual int MeterFamily() const = 0;

    virtual ScanFieldState Field(ScanField field) const = 0;
    virtual void SetField(ScanField field, const std::string &text) = 0;
    virtual void SetTariffEdit(ScanTariffRow row, int tariff, const std::string &text) = 0;
    virtual void SetApplicant(const std::vector<std::string> &lines) = 0;
    virtual void HideMissingOrderLabel() = 0;
    // Tariff screen services: select and show a tariff, mark the tariffs a scan filled as active,
    // preset the own meter family with its tariff panels.
    virtual void SelectTariff(int tariff) = 0;
    virtual void MarkScannedTariffsActive() = 0;
    virtual void PresetOwnFamily() = 0;
};

// The intake's members, as the main window holds them.
struct ScanIntakeState {
    std::uint8_t QrScanState = 0;    // 0 waiting, 1 cipher line, 2 start line, 3 body, 4 document, 5 pause
    std::int32_t QrLegLine = 0;      // input line of "LEG:0"
    std::uint8_t QrEncrypted = 0;    // 1 after "SZYFR:3DES"
    std::int32_t QrLineIndex = 0;    // next input line to read
    std::uint8_t QrLoadSection = 0;  // 0 show only; 1 load, base section; 2..5 per-tariff sections
    std::int32_t AztecStart = 0;     // input position where a registration code was recognised
    std::int32_t ScanTick = 0;       // seconds since then, counted by the seconds timer
    std::string ScannedQrText;       // the last whole own QR text, "LEG:0" to "END", empty lines left out
    std::uint8_t QrOrderFlags = 0;   // bit 0 an order number, bit 1 an order date came from a code

    // The input read so far, split into lines as it arrives, so that a tick costs only what was
    // typed since the last one.
    struct TypedInput {
        std::string text;                // the input read so far
        std::size_t seen = 0;            // memo position up to which it was read
        std::vector<std::string> lines;  // its complete lines
        std::size_t tailStart = 0;       // where the line not yet complete starts
        bool afterCr = false;            // the last break was a CR: a LF right after it belongs to it
        std::size_t linesChecked = 0;    // complete lines the waiting states have looked at
        std::size_t probeNext = 0;       // first window position the registration probe has not seen
    };

    // What the intake has worked out so far.
    struct Progress {
        TypedInput input;
        std::string readText;           // what the read memo shows
        std::string furtherText;        // what the further-lines memo shows
        std::int32_t documentTick = 0;  // ScanTick when the document's length was last taken
        std::size_t documentLength = 0;
    } QrProgress;
};

// Interval of the intake timer while it waits for and reads a code.
inline constexpr int kScanTickMs = 50;
// Longest wait for a registration code that keeps arriving; then it is read as it stands.
inline constexpr std::int32_t kDocumentMaxSeconds = 30;
// Body lines read per tick: bounds a tick's work on a huge paste.
inline constexpr int kBodyLinesPerTick = 200;

// Resets the intake for a new scan ("KOD").
void StartScan(ScanIntakeState &state, ScanScreen &screen);

// One step of the intake.
void ScanStep(ScanIntakeState &state, ScanScreen &screen, QrPayloadState &cipher);

}  // namespace qrpayload
