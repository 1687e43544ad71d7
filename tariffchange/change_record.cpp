#include "tariffchange/change_record.h"

#include <algorithm>

namespace tariffchange {

std::string DecodeCzasZmiany(std::string_view field) {
    if (field == "FFFFFFFFFFFF") return "---";
    const std::string reversed(field.rbegin(), field.rend());
    // Piece i (1-based) of the reversed text starts at character 2i - 1; past the end it is empty.
    const auto piece = [&reversed](std::size_t first) {
        return first - 1 < reversed.size() ? reversed.substr(first - 1, 2) : std::string();
    };
    return "20" + piece(11) + "-" + piece(9) + "-" + piece(7) + " " + piece(5) + ":" + piece(3) + ":" + piece(1);
}

std::string FailedInspectionItems(const std::array<bool, kInspectionItems> &yes) {
    std::string list;
    for (int item = 0; item < kInspectionItems; ++item) {
        const bool passes = item < kAgreementItems ? yes[static_cast<std::size_t>(item)]
                                                   : !yes[static_cast<std::size_t>(item)];
        if (passes) continue;
        if (!list.empty()) list += ',';
        list += std::to_string(item + 1);
    }
    return list;
}

}  // namespace tariffchange
