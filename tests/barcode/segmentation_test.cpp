#include <gtest/gtest.h>

#include "barcode/segmentation.h"

TEST(Segmentation, Smoke) {
    barcode::SegmentList s;
    TEncodeStatistic st;
    Analyse("0123", 1, epMixingOptimal, false, s, st);
    ASSERT_EQ(s.size(), 1u);
}
