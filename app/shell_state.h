#pragma once
// Working members of the window shell: the queued command, the shown page, the working mode, the
// measuring-run bar and the start-up guards, plus the members of the device readout and the layout
// change that the verification reset puts back to their starting values.
#include <array>
#include <cstdint>

namespace shell {

inline constexpr int kNoPage = 14;  // CurrentPage while the saved-jobs list is shown

struct ShellState {
    // Queued command.
    int32_t ButtonId = 0;
    int32_t ButtonPanelIndex = 0;
    uint8_t ButtonPanelIndexByte = 0;
    int32_t ButtonRow = 0;
    int32_t ButtonDelRow = 0;
    uint8_t ButtonBusy = 0;
    int32_t CurrentPage = 0;

    // Guards of bulk fills.
    uint8_t FormLoading = 0;
    uint8_t MarksLoading = 0;
    uint8_t RecalcGuard = 0;

    // Pages and tariffs.
    int32_t LayoutBase = 0;
    int32_t CurrentTariff = 0;
    uint8_t MeterFamily = 0;     // 0 NOVITIUS, 1 the own family
    uint8_t ApprovalRegime = 0;  // 1 MID
    uint8_t JobListFull = 0;
    uint8_t JobListFilterMode = 0;
    uint8_t SzukajAltTarget = 0;
    uint8_t DistanceTestDone = 0;

    // Working mode and measuring run.
    uint8_t LegResetPending = 0;
    uint8_t MidReadoutPending = 0;
    uint8_t TestReturn = 0;
    uint8_t InterfaceIdReceived = 0;

    // Printing.
    uint8_t PrintBaseRun = 0;

    // Members of the readout and the layout change reset by a fresh verification.
    uint8_t CalcModeState = 0;
    uint8_t TivarReadoutStage = 0;
    std::array<uint8_t, 4> TariffPageCode{};
    std::array<uint8_t, 4> TariffPageCode2{};
    std::array<uint8_t, 4> TariffPageActiveCount{0xFF, 0xFF, 0xFF, 0xFF};
    uint8_t KlineModeFlags = 0xFF;
    uint8_t VehicleResults = 0;
    uint8_t CalcRelativeToK = 0;
    uint8_t CzasX10 = 0;
    uint8_t ZmianaPending = 0;
    uint32_t ZmianaTestedMask = 0;
    uint32_t LayoutChangeTestMask = 0;
    int32_t StationConstK = 0;  // imp/km, up to three bytes from the interface
    std::array<int32_t, 3> LicznikiKeep{};  // integers: the station constant St among them
    std::array<uint8_t, 2> LegPendingA{0, 0xFF};
    uint8_t TestTariffSel = 0xFF;
    float TotalDistance = 0;
    std::array<float, 16> SlotFactor{};

    // Legal-basis editor switches.
    uint8_t ZakresEditMode = 0;
    uint8_t ZakresMemoChangeOn = 0;
    uint8_t ZakresNameChangeOn = 0;
};

}  // namespace shell
