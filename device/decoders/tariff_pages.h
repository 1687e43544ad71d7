#pragma once
// Own-family tariff page records 'U1'..'U4' (four tariffs each) and the page-tab captions built
// from the pages' code letters.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/decoders/field_conversion.h"

namespace decoders {

inline constexpr size_t kTariffPages = 4;
inline constexpr size_t kPageTariffs = 4;

// The fields of one tariff, named after the rows of the tariff panel they go to.
struct TariffColumnTexts {
    std::string OplP;   // initial fee [zł]
    std::string Dps;    // initial distance [m]
    std::string Cps;    // initial time [s]
    std::string OplD;   // fee per kilometre [zł/km]
    std::string OplC;   // fee per hour [zł/h]
    std::string Jdopl;  // surcharge unit [zł]
};

struct TariffPage {
    int Page = 0;            // 1..4
    char PageCode = 0;       // TariffPageCode / TariffPageCode2 of the page
    uint8_t LayoutBase = 0;  // 0 for pages 1 and 2, 8 for pages 3 and 4
    int FirstColumn = 0;     // panel column of the page's first tariff: 0 or 4
    std::string JT;          // the group's tariff unit: Edit98 (pages 1, 3) or Edit88 (pages 2, 4)
    std::array<TariffColumnTexts, kPageTariffs> Columns;
    std::string PageValue;  // as the meter stores it
    // 9999,99 minus the page value: the group's maximum surcharge; "---" when the page value did
    // not convert.
    std::string PageValueRemaining;
    std::array<std::string, 2> Dates;  // "YYYY.MM.DD" each
    // The option byte, when it is below 256: the group flag and the number of enabled tariffs.
    std::optional<uint8_t> GroupFlag;
    std::optional<uint8_t> ActiveCount;  // 1..4
};

// Decodes a 'U1'..'U4' record; nothing for another record.
std::optional<TariffPage> DecodeTariffPage(Bytes record);

// A date stored least significant character first ("71504202") as "2024.05.17".
std::string PageDateText(const std::string &field);

// Captions of the page tabs and the sixteen result-slot buttons.
struct PageCaptions {
    std::string Panel157;                          // pages 1 and 2, e.g. "Tar.A-C"
    std::string Panel158;                          // pages 3 and 4
    std::array<std::string, 16> ResultSlotPanels;  // "A1" .. "A4", ...
};

// `codes` are TariffPageCode; `shown` the letters to show (the same, or the layout-change
// procedure's LayoutPageCodes of the current view). A page whose code is no known page letter
// shows "-".
PageCaptions SetPageTivar(const std::array<char, kTariffPages> &codes,
                          const std::array<char, kTariffPages> &shown);

}  // namespace decoders
