// The row of codes on the own family's tariff annex: codes that fit stand where they were meant
// to; others move left or get smaller modules, and every code keeps its quiet zone on the page.
#include <gtest/gtest.h>

#include <vector>

#include "printing/tariff_annex.h"

namespace {

constexpr int kWidth = 4961, kHeight = 7016;  // A4 portrait at 600 dpi

struct Case {
    const char *name;
    std::vector<int> modules;
    int top, module;
    std::vector<printing::SymbolPlace> expected;  // empty: only the page's bounds are checked
};

TEST(CodeRowTest, CodesStayWithinThePageAndApart) {
    const Case cases[] = {
        {"both fit", {25, 33}, 5566, 12, {{508, 5566, 12}, {508 + 35 * 12, 5566, 12}}},
        {"the taller code reaches below", {25, 57}, 6400, 12, {{508, 6400, 12}, {508 + 35 * 12, 6400, 10}}},
        {"too wide: the row moves left", {177, 177}, 500, 13, {{177, 500, 13}, {177 + 187 * 13, 500, 13}}},
        {"too wide even at the left edge", {177, 177}, 500, 20, {}},
        {"too low for any module", {25, 33}, 7010, 12, {}},
        {"one code", {41}, 5566, 12, {{508, 5566, 12}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<printing::SymbolPlace> places =
            printing::PlaceCodeRow(c.modules, 508, c.top, c.module, kWidth, kHeight);
        ASSERT_EQ(places.size(), c.modules.size());
        for (size_t i = 0; i < places.size(); ++i) {
            const printing::SymbolPlace &p = places[i];
            EXPECT_LE(p.module, c.module);
            EXPECT_GE(p.module, 1);
            if (!c.expected.empty()) {
                EXPECT_EQ(p.left, c.expected[i].left) << i;
                EXPECT_EQ(p.top, c.expected[i].top) << i;
                EXPECT_EQ(p.module, c.expected[i].module) << i;
            }
            if (c.top + (c.modules[i] + 4) > kHeight) continue;  // no module can fit below
            const int side = c.modules[i] * p.module, quiet = 4 * p.module;
            EXPECT_GE(p.left - quiet, 0) << i;
            EXPECT_LE(p.left + side + quiet, kWidth) << i;
            EXPECT_LE(p.top + side + quiet, kHeight) << i;
            if (i + 1 < places.size()) {
                EXPECT_GE(places[i + 1].left, p.left + side + quiet) << i;
            }
        }
    }
}

TEST(CodeRowTest, NoCodesNoPlaces) {
    EXPECT_TRUE(printing::PlaceCodeRow({}, 508, 5566, 12, kWidth, kHeight).empty());
}

}  // namespace
