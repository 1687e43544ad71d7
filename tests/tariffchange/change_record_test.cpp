// The change register's texts and the inspection checklist's verdict.
#include <gtest/gtest.h>

#include "device/kline_dispatch.h"
#include "tariffchange/change_record.h"

namespace {

TEST(ChangeRecord, RegisterDatesAreDecodedPairByPairAndNeverReadPastTheField) {
    const struct {
        const char *field, *shown;
    } cases[] = {
        {"324012112233", "2023-04-21 11:22:33"},
        {"FFFFFFFFFFFF", "---"},         // an entry that never changed
        {"FFFFFFFFFF", "20-FF-FF FF:FF:FF"},  // not the mark: decoded like any text
        {"3240", "20-- :23:04"},          // short: the pieces it has
        {"", "20-- ::"},
        // Not digits at all: no character is judged, the text is only rearranged.
        {"9x13zz7y6y5y", "20x9-31-zz y7:y6:y5"},
    };
    for (const auto &c : cases) EXPECT_EQ(tariffchange::DecodeCzasZmiany(c.field), c.shown) << c.field;
}

TEST(ChangeRecord, BcdBytesAndTheChangedTariffMask) {
    EXPECT_EQ(device::ConvertCharBcd(0x25), "25");
    EXPECT_EQ(device::ConvertCharBcd(0x09), "09");
    // A nibble above 9 is written as its number: the text grows instead of turning into a letter.
    EXPECT_EQ(device::ConvertCharBcd(0x3A), "310");
    EXPECT_EQ(device::ConvertCharBcd(0xFF), "1515");
    EXPECT_EQ(device::GetChangeTar(0x55), "1,2,3,4");
    EXPECT_EQ(device::GetChangeTar(0x04), "2");
    // Odd bits name no tariff: a mask beyond the four tariffs lists nothing.
    EXPECT_EQ(device::GetChangeTar(0xAA), "");
    EXPECT_EQ(device::GetChangeTar(0xFF), "1,2,3,4");
}

TEST(ChangeRecord, FailedItemsAreTheDisagreementsAndTheDefects) {
    std::array<bool, 16> yes{};
    for (int i = 0; i < 13; ++i) yes[static_cast<size_t>(i)] = true;
    EXPECT_EQ(tariffchange::FailedInspectionItems(yes), "") << "the defaults pass";
    yes[1] = false;   // item 2 disagrees
    yes[15] = true;   // item 16: a damaged mark
    EXPECT_EQ(tariffchange::FailedInspectionItems(yes), "2,16");
    std::array<bool, 16> inverted{};
    for (int i = 13; i < 16; ++i) inverted[static_cast<size_t>(i)] = true;
    EXPECT_EQ(tariffchange::FailedInspectionItems(inverted), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16");
}

}  // namespace
