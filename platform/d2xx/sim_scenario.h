#pragma once
// A scenario of the simulator: what a measuring interface and a meter send after the program has
// found them, so that a taximeter can be watched at work without hardware. The text is a capture
// description (see capture_description.h) with one more item:
//
//   pause MS            the next item comes MS milliseconds later than it otherwise would
//   wait TEXT           the items after it wait for the officer: TEXT is shown on the terminal
//                       and they go on once Enter is pressed there
//
// Each item is sent kScenarioStepMs after the one before it; "record" items come from the meter,
// every other item from the measuring interface.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/d2xx/frames.h"

namespace d2xx {

inline constexpr std::uint32_t kScenarioStepMs = 200;
// The first item comes this long after the program first asks for devices.
inline constexpr std::uint32_t kScenarioStartMs = 3000;
// The environment variable that names a scenario file, and the file taken from the working folder
// (beside the station's tables) when the variable is not set.
inline constexpr const char *kScenarioVariable = "STATION_SIM_SCENARIO";
inline constexpr const char *kScenarioFileName = "sim_scenario.txt";

struct ScenarioStep {
    bool meter = false;    // sent by the meter, else by the interface
    std::uint64_t at = 0;  // milliseconds after the start
    Bytes bytes;           // empty for a wait
    bool wait = false;     // the officer's Enter key releases the steps after this one
    std::string prompt;    // what a wait tells the officer
};

// The steps of `text`; on a fault false with a message naming the line.
bool ParseScenario(std::string_view text, std::vector<ScenarioStep> &steps, std::string &error);

}  // namespace d2xx
