// Scenarios of the simulator: the items, their devices and times, the faults named by line, and
// the shipped scenarios of each meter family.
#include "platform/d2xx/sim_scenario.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/d2xx/frames.h"

namespace {

using d2xx::ScenarioStep;

TEST(SimScenario, ItemsGoToTheirDeviceOneStepApartAndPausesDelayTheNext) {
    std::vector<ScenarioStep> steps;
    std::string error;
    ASSERT_TRUE(
        d2xx::ParseScenario("# a comment\n"
                            "kline 01 2E F5 01 00\n"
                            "\n"
                            "record \"B1\"\n"
                            "pause 1000\r\n"
                            "raw 82 83\n"
                            "wait Click \"AUTO-Leg\"\n"
                            "wait\n"
                            "record \"B2\"\n",
                            steps, error))
        << error;
    ASSERT_EQ(steps.size(), 6u);
    const std::uint8_t status[] = {0x2E, 0xF5, 0x01, 0x00};
    EXPECT_FALSE(steps[0].meter);
    EXPECT_EQ(steps[0].at, 0u);
    EXPECT_EQ(steps[0].bytes, d2xx::EncodeKlineFrame(0x01, status));
    EXPECT_TRUE(steps[1].meter);
    EXPECT_EQ(steps[1].at, d2xx::kScenarioStepMs);
    EXPECT_EQ(steps[1].bytes, (d2xx::Bytes{0x02, 'B', '1', 0x03}));
    EXPECT_FALSE(steps[2].meter);
    EXPECT_EQ(steps[2].at, 2 * d2xx::kScenarioStepMs + 1000);
    EXPECT_EQ(steps[2].bytes, (d2xx::Bytes{0x82, 0x83}));
    // Waits are steps of their own, with the officer's prompt and no bytes; the items go on a step
    // after each.
    for (int i : {3, 4}) {
        EXPECT_TRUE(steps[i].wait) << i;
        EXPECT_TRUE(steps[i].bytes.empty()) << i;
        EXPECT_EQ(steps[i].at, i * d2xx::kScenarioStepMs + 1000) << i;
    }
    EXPECT_EQ(steps[3].prompt, "Click \"AUTO-Leg\"");
    EXPECT_EQ(steps[4].prompt, "");
    EXPECT_FALSE(steps[5].wait);
    EXPECT_TRUE(steps[5].meter);
    EXPECT_EQ(steps[5].at, 5 * d2xx::kScenarioStepMs + 1000);
}

TEST(SimScenario, AFaultNamesItsLineAndKeepsNothing) {
    const std::pair<const char *, const char *> cases[] = {
        {"kline 01 2E\npause x\n", "line 2: pause needs milliseconds"},
        {"kline 01 2E\n\nkline 01 \"open\n", "line 3: "},
        {"raw 01\nsend 02\n", "line 2: "},
    };
    for (const auto &[text, message] : cases) {
        std::vector<ScenarioStep> steps{ScenarioStep{}};
        std::string error;
        EXPECT_FALSE(d2xx::ParseScenario(text, steps, error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
        EXPECT_EQ(steps.size(), 1u);
    }
}

TEST(SimScenario, TheShippedScenariosParseAndUseBothDevices) {
    for (const char *name : {"own_family.txt", "novitius.txt", "own_family_zt.txt", "own_family_pass.txt",
                             "own_family_slow_tariff.txt"}) {
        std::ifstream file(std::string(STATION_SCENARIO_DIR) + "/" + name, std::ios::binary);
        ASSERT_TRUE(file) << name;
        const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::vector<ScenarioStep> steps;
        std::string error;
        ASSERT_TRUE(d2xx::ParseScenario(text, steps, error)) << name << ": " << error;
        EXPECT_GT(steps.size(), 5u) << name;
        // Every interface item is one whole K-line frame.
        for (const ScenarioStep &step : steps) {
            if (!step.meter && !step.wait) {
                EXPECT_EQ(step.bytes.size(), step.bytes[3] + 5u) << name;
            }
        }
    }
}

}  // namespace
