#pragma once
// Working members of the taximeter readout that the K-line dispatch and the decoders keep: the
// test the interface selected, the own-family records' stores and the live course store. The
// received results and the interface's status belong to the evaluation's state.
#include <array>
#include <cstdint>
#include <string>

#include "device/decoders/course_records.h"

namespace device {

struct ReadoutState : decoders::CourseStore {
    // The layout (0 or 8) the interface announced for the results of the test.
    std::uint8_t ScheduledLayout = 0;
    // 0: the next own-family totaliser record is the start state, 1: the end state.
    std::uint8_t TivarReadoutFlag = 0;
    std::uint8_t TivarTariffCount = 0;
    std::array<std::uint8_t, 2> TivarOptionFlags{};

    // Own-family tariff pages: 9999,99 minus the page value (the raw value in the layout change),
    // and in the layout change the same per view, with the pages' dates.
    std::array<std::string, 4> TariffPageValue{"---", "---", "---", "---"};
    std::array<std::array<std::string, 4>, 2> ZmianaPageValue{};
    std::array<std::array<std::array<std::string, 2>, 4>, 2> ZmianaPageDates{};
};

}  // namespace device
