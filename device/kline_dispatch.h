#pragma once
// The window-less part of the K-line dispatch: which row of the interface's message tables a
// message belongs to, and the rows whose effect is a computation on bytes (test selection, status,
// generator accuracy, meter date, 24-bit counts). The window applies the results to its controls
// and calls the decoders.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/kline_framing.h"

namespace device {

enum class KlineRow : std::uint8_t {
    None,
    // 2E ...
    PointResult,           // F3 pc: a measuring-point result
    InterfaceText,         // F1 9A
    TestSelection,         // F7 80
    TivarData,             // F7 other: an own-family data record
    TariffSelect,          // F6
    Status,                // F5 01
    GeneratorAccuracy,     // F5 02
    StationConstant,       // F9 18
    SlotDeviceByte,        // F9 08
    ThirdCounter,          // F9 1D
    SetSpeed,              // F9 2C
    SecondCounter,         // F9 1C
    MeterDate,             // F9 0B
    NovitiusIdentity,      // F2 00
    NovitiusCounters,      // F2 15
    NovitiusTrip,          // F2 14
    ZtAccepted,            // F2 16 with d3 = d4 = 0
    InterfaceId,           // F2 17
    InterfaceVersion,      // F2 18
    NovitiusTariff,        // F8
    FirstCounter,          // FD 0D
    ChangeBefore,          // F4 55
    ChangeAfter,           // F4 75
    TotaliserTestStart,    // E3 01
    TotaliserDistance,     // E3 02
    TotaliserRecord,       // E3 other
    ZtResults,             // E7
    // 2F F7 ...: the layout-change procedure of an own-family meter
    LayoutChangeBefore,    // 80
    LayoutChangeAfter,     // 81
    LayoutChangeMask,      // 82
    // 82: end of the measuring run
    RunEnd,
};

// One framed message: data bytes d0 .. d(L-1).
class KlineMessage {
public:
    explicit KlineMessage(const KlineSlot &slot) : data_(KlineMessageData(slot)) {}
    explicit KlineMessage(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t size() const { return data_.size(); }
    // dN; a byte the message does not carry reads 0.
    std::uint8_t d(std::size_t n) const { return n < data_.size() ? data_[n] : 0; }
    // The message's bytes from dK to its end (empty when it ends before dK).
    std::span<const std::uint8_t> From(std::size_t k) const {
        return k < data_.size() ? data_.subspan(k) : std::span<const std::uint8_t>();
    }
    // The text of the bytes from dK to its end, at most `count` of them.
    std::string Text(std::size_t k, std::size_t count = std::string::npos) const;
    // d3 + d4 x 256 + d5 x 65536.
    std::int32_t Count24() const { return d(3) + d(4) * 256 + d(5) * 65536; }

private:
    std::span<const std::uint8_t> data_;
};

KlineRow ClassifyKlineMessage(const KlineMessage &message);

// Message 2E F7 80: the tariff of the test, the mode flags and the layout the results belong to.
struct TestSelection {
    std::uint8_t TestTariffSel = 0;
    std::uint8_t KlineModeFlags = 0;
    std::uint8_t ScheduledLayout = 0;
};
TestSelection SelectTest(std::uint8_t layoutChoice, std::uint8_t index);

// Bits of InterfaceStatus.
inline constexpr std::uint8_t kStatusFromVehicle = 0x08;   // the current measurement comes from the vehicle
inline constexpr std::uint8_t kStatusSystemD = 0x0C;       // both bits: results in system 'D'
inline constexpr std::uint8_t kStatusResultsVehicle = 0x10;  // the received results come from the vehicle
inline constexpr std::uint8_t kStatusSlotByte = 0x40;      // 2E F9 08 is taken
inline constexpr std::uint8_t kStatusTimeX10 = 0x80;       // "CZAS x10"

// What the status handling (2E F5 01) reads of the job.
struct StatusInputs {
    std::uint8_t Status = 0;
    std::uint8_t CalcModeState = 0;  // 0 unknown, 1 'S', 2 'D'
    std::uint8_t VehicleResults = 0;
    std::uint8_t LegPendingA = 0;    // 0xFF after the verification reset, 1 once vehicle results came
    bool RegimeZT = false;           // the regime button reads "ZT"
};

// What it writes: the members, and the window's texts.
struct StatusOutcome {
    std::uint8_t InterfaceStatus = 0;
    std::uint8_t CalcModeState = 0;
    std::uint8_t ResultsAccepted = 0;
    std::optional<std::uint8_t> KursSystem;
    std::uint8_t CalcRelativeToK = 0;
    std::uint8_t CzasX10 = 0;  // also Panel388 black when 1
    std::uint8_t VehicleResults = 0;
    std::uint8_t LegPendingA = 0;
    std::string Edit108;  // "S" or "D"
    // The mismatch warning (Label121, Label122) that shows Panel169; the last one given stands.
    std::optional<std::pair<std::string, std::string>> Warning;
};
StatusOutcome HandleStatus(const StatusInputs &in);

// Message 2E F5 02: the accuracy of the internal time generator [%] from the deviation in seconds
// per day carried as text in d3..d8; "---" when it does not convert.
std::string GeneratorAccuracy(const KlineMessage &message);

// The two nibbles of a byte in decimal, high nibble first (a BCD byte gives its two digits).
std::string ConvertCharBcd(std::uint8_t value);

// Message 2E F9 0B: the meter's date "CCYY-MM-DD" and the date with its time "CCYY-MM-DD / hh:mm".
struct MeterDate {
    std::string Date;
    std::string DateTime;
};
MeterDate DecodeMeterDate(const KlineMessage &message);

// The changed tariffs of a layout change: "1", "2", "3", "4" for bits 0, 2, 4, 6, joined by ",".
std::string GetChangeTar(std::uint8_t mask);

}  // namespace device
