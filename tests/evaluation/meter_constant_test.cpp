#include "evaluation/meter_constant.h"

#include <gtest/gtest.h>

namespace evaluation {
namespace {

struct KCase {
    uint32_t st;
    const char *k;
    MeterConstantMark mark;
    uint8_t flag;
};

TEST(MeterConstant, OnePerCentOfDeviationPasses) {
    const KCase cases[] = {
        {5000, "5050", MeterConstantMark::Neutral, 0},  // -0,99 %
        {5000, "5060", MeterConstantMark::Red, 1},      // -1,19 %
        {4950, "5000", MeterConstantMark::Neutral, 0},  // exactly -1 %
        {5050, "5000", MeterConstantMark::Neutral, 0},  // exactly +1 %
        {5051, "5000", MeterConstantMark::Red, 1},     {4949, "5000", MeterConstantMark::Red, 1},
        {0, "5000", MeterConstantMark::Red, 1},  // no station constant: -100 %
        {5000, "", MeterConstantMark::Neutral, 0},     {5000, "5000,5", MeterConstantMark::Neutral, 0},
        {5000, "0", MeterConstantMark::Neutral, 0},  // no division by zero
        {4294967295u, "1", MeterConstantMark::Red, 1},
    };
    for (const auto &c : cases) {
        EvaluationState state;
        state.OglErrFlag = 1 - c.flag;
        EvaluationSwitches switches;
        switches.VehicleResults = 1;
        switches.StationConstSt = c.st;
        switches.MeterConstantText = c.k;
        EXPECT_EQ(CheckMeterConstant(state, switches), c.mark) << c.st << " " << c.k;
        EXPECT_EQ(state.OglErrFlag, c.flag) << c.st << " " << c.k;
    }
}

TEST(MeterConstant, WithoutVehicleResultsNothingChanges) {
    EvaluationState state;
    state.OglErrFlag = 1;
    EvaluationSwitches switches;
    switches.StationConstSt = 5000;
    switches.MeterConstantText = "5000";
    EXPECT_EQ(CheckMeterConstant(state, switches), MeterConstantMark::Unchanged);
    EXPECT_EQ(state.OglErrFlag, 1);
}

}  // namespace
}  // namespace evaluation
