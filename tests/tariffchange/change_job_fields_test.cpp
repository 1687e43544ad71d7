// The layout copy written to and read from the fields of a saved job.
#include <gtest/gtest.h>

#include "tariffchange/change_job_fields.h"

namespace tariffchange {
namespace {

TEST(ChangeJobFields, EveryFieldComesBackAndMissingLinesReadAsNone) {
    ChangeLayoutState saved;
    saved.ResetZuStores();
    saved.ZuTariffParamsBefore[2][7] = "12,00";  // field 4, line 7
    saved.ZuTariffParamsAfter[0][0] = "8,00";    // field 7, line 0
    saved.ZuGroupUnitsAfter[2][1] = "0,30";      // field 12, line 11
    saved.ZuValidityDatesAfter[7] = "2030-01-01";  // field 16, line 15
    saved.ZuInitialSegmentAfter[3] = 1;
    saved.ZuEnabledFlagsBefore[0] = 2;  // any nonzero byte is a set flag
    saved.ZuEnabledFlagsAfter[15] = 1;

    EXPECT_EQ(LayoutFieldLines(saved, 4)[7], "12,00");
    EXPECT_EQ(LayoutFieldLines(saved, 12)[11], "0,30");
    EXPECT_EQ(LayoutFieldLines(saved, 16).size(), 16u);
    EXPECT_EQ(LayoutMask(saved, kSegmentMaskField), 0x80);
    EXPECT_EQ(LayoutMask(saved, kEnabledBeforeField), 0x0001);
    EXPECT_EQ(LayoutMask(saved, kEnabledAfterField), 0x8000);

    ChangeLayoutState loaded;
    for (int field = kFirstLayoutField; field <= kLastLayoutField; ++field)
        LoadLayoutFieldLines(loaded, field, LayoutFieldLines(saved, field));
    for (int field : {kSegmentMaskField, kEnabledBeforeField, kEnabledAfterField})
        LoadLayoutMask(loaded, field, LayoutMask(saved, field));
    EXPECT_EQ(loaded.ZuTariffParamsBefore, saved.ZuTariffParamsBefore);
    EXPECT_EQ(loaded.ZuTariffParamsAfter, saved.ZuTariffParamsAfter);
    EXPECT_EQ(loaded.ZuGroupUnitsAfter[2][1], "0,30");  // the field keeps the surcharge units of groups 0 and 1
    EXPECT_EQ(loaded.ZuValidityDatesAfter, saved.ZuValidityDatesAfter);
    EXPECT_EQ(loaded.ZuInitialSegmentAfter, saved.ZuInitialSegmentAfter);
    EXPECT_EQ(loaded.ZuEnabledFlagsBefore[0], 1);
    EXPECT_EQ(loaded.ZuEnabledFlagsAfter, saved.ZuEnabledFlagsAfter);

    // A short field (an older or damaged record) never reads past its lines.
    LoadLayoutFieldLines(loaded, 13, {"1,00", ""});
    EXPECT_EQ(loaded.ZuJdoplatyBefore[0], "1,00");
    EXPECT_EQ(loaded.ZuJdoplatyBefore[1], "---");
    EXPECT_EQ(loaded.ZuJdoplatyBefore[15], "---");
    // Mask bits beyond the slots are ignored.
    LoadLayoutMask(loaded, kEnabledAfterField, -1);
    EXPECT_EQ(loaded.ZuEnabledFlagsAfter[15], 1);
}

}  // namespace
}  // namespace tariffchange
