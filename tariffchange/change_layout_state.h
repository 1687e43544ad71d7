#pragma once
// The tariff stores of the layouts before and after a tariff-layout change, in the shapes of the
// normal stores: tariff parameters [row][slot] (rows Opł P, Opł D, Opł C, Dps, Cps), group units
// [row][group] (JT, STC, JDOPŁ), surcharge units per slot, maximum surcharges and initial-segment
// switches per group, enabled flags per slot, validity dates (starts of the four groups, then their
// ends). The main window inherits ChangeLayoutState; while the change procedure is on, the
// certificate's annex prints the layout after the change from here.
#include <array>
#include <cstdint>
#include <string>

namespace tariffchange {

using TariffParamTexts = std::array<std::array<std::string, 16>, 8>;
using GroupUnitTexts = std::array<std::array<std::string, 4>, 3>;
using ValidityTexts = std::array<std::string, 8>;

inline ValidityTexts NoValidityDates() { return {"---", "---", "---", "---", "---", "---", "---", "---"}; }

// One side (before or after the change) of the layout copy.
struct ZuLayout {
    TariffParamTexts &params;
    GroupUnitTexts &groupUnits;
    std::array<std::string, 16> &jdoplaty;
    std::array<std::string, 4> &maxSurcharge;
    std::array<std::uint8_t, 16> &enabled;
    std::array<std::uint8_t, 4> &initialSegment;
    ValidityTexts &validity;
};

struct ChangeLayoutState {
    TariffParamTexts ZuTariffParamsBefore, ZuTariffParamsAfter;
    GroupUnitTexts ZuGroupUnitsBefore, ZuGroupUnitsAfter;
    std::array<std::string, 16> ZuJdoplatyBefore, ZuJdoplatyAfter;
    std::array<std::string, 4> ZuMaxSurchargeBefore, ZuMaxSurchargeAfter;
    std::array<std::uint8_t, 16> ZuEnabledFlagsBefore{}, ZuEnabledFlagsAfter{};
    std::array<std::uint8_t, 4> ZuInitialSegmentBefore{}, ZuInitialSegmentAfter{};
    ValidityTexts ZuValidityDatesBefore = NoValidityDates(), ZuValidityDatesAfter = NoValidityDates();
    // 1 while the window runs the change procedure (the "Z/U" panel's colour may be set ahead of it).
    std::uint8_t ZuModeOn = 0;
    // 1 while the layout copy writes the tariff edits, so that their change handlers do not copy back.
    std::uint8_t ZmianaBusy = 0;

    // The side of the copy: 0 before, 1 after the change.
    ZuLayout Layout(std::uint8_t after);
    // Every text of both sides "---" (STC kept), every byte 0.
    void ResetZuStores();
};

}  // namespace tariffchange
