#pragma once
// Working members of the taximeter readout that the K-line dispatch and the decoders keep: the
// test the interface selected, the own-family records' stores and the live course store. The
// received results and the interface's status belong to the evaluation's state.
#include <array>
#include <cstdint>

#include "device/decoders/course_records.h"

namespace device {

struct ReadoutState : decoders::CourseStore {
    // The layout (0 or 8) the interface announced for the results of the test.
    std::uint8_t ScheduledLayout = 0;
    // 0: the next own-family totaliser record is the start state, 1: the end state.
    std::uint8_t TivarReadoutFlag = 0;
    std::uint8_t TivarTariffCount = 0;
    std::array<std::uint8_t, 2> TivarOptionFlags{};
};

}  // namespace device
