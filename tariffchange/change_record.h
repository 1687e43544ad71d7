#pragma once
// Texts of the tariff-layout change procedure that come from the meter's change register and from
// the procedure's inspection checklist.
#include <array>
#include <string>
#include <string_view>

namespace tariffchange {

// The 12-character date-time of a change-register entry (year, month, day, hour, minute, second,
// each pair stored low digit first) as "20YY-MM-DD hh:mm:ss"; "---" for twelve 'F' (never changed).
// A shorter field gives the pieces it has.
std::string DecodeCzasZmiany(std::string_view field);

inline constexpr int kInspectionItems = 16;
// Items 1..13 ask whether the data agree (pass on "TAK"); 14..16 ask about a defect (pass on "NIE").
inline constexpr int kAgreementItems = 13;

// The numbers of the failed checklist items, "2,16"; empty when every item passes. `yes[i]` tells
// whether item i + 1 is answered "TAK".
std::string FailedInspectionItems(const std::array<bool, kInspectionItems> &yes);

}  // namespace tariffchange
