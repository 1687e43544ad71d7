#pragma once
// The tariff stores of the layouts before and after a tariff-layout change, in the shapes of the
// normal stores: tariff parameters [row][slot], group units [row][group], surcharge units, maximum
// surcharges, enabled flags, validity dates (start, end per group). The main window inherits
// ChangeLayoutState; while the change procedure is on, the certificate's annex prints the layout
// after the change from here.
#include <array>
#include <cstdint>
#include <string>

namespace tariffchange {

using TariffParamTexts = std::array<std::array<std::string, 16>, 8>;
using GroupUnitTexts = std::array<std::array<std::string, 4>, 3>;
using ValidityTexts = std::array<std::string, 8>;

inline const ValidityTexts kNoValidityDates{"---", "---", "---", "---", "---", "---", "---", "---"};

struct ChangeLayoutState {
    TariffParamTexts ZuTariffParamsBefore, ZuTariffParamsAfter;
    GroupUnitTexts ZuGroupUnitsBefore, ZuGroupUnitsAfter;
    std::array<std::string, 16> ZuJdoplatyBefore, ZuJdoplatyAfter;
    std::array<std::string, 4> ZuMaxSurchargeBefore, ZuMaxSurchargeAfter;
    std::array<std::uint8_t, 16> ZuEnabledFlagsBefore{}, ZuEnabledFlagsAfter{};
    ValidityTexts ZuValidityDatesBefore = kNoValidityDates, ZuValidityDatesAfter = kNoValidityDates;
};

}  // namespace tariffchange
