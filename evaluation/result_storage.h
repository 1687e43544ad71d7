#pragma once
// Storing the results of a measuring run into a tariff slot: the rows the device's point results
// give the grid, and the received points of results system 1 moved into the slot's row column.
#include <array>
#include <cstdint>
#include <string>

#include "evaluation/evaluation_state.h"

namespace evaluation {

// The NOM and N cells of rows 0..9 of one test.
struct GridRows {
    Array<std::string, kMeasuringRows> Nom, Units;
};

// The grid rows of one test from a table of DeviceRowPairs; the pairs used are reset to "---" so
// that they are never stored twice. An own-family meter whose group counts no initial segment
// (`groupWithoutInitial`) gets a first row "0,000" / "1" and its pairs one row lower, the N counts
// raised by one; a tenth pair then still lands in row 9. A NOVITIUS meter takes the pairs as they
// are.
GridRows RowsFromPairs(Array<std::string, 2 * kGridRows> &pairs, bool ownFamily, bool groupWithoutInitial);

// Whether a table of DeviceRowPairs holds a received value or count in rows 0..9.
bool AnyReceived(const Array<std::string, 2 * kGridRows> &pairs);

// Results system 1: the received points into the slot's row column (FareRowStore kReceivedPoints),
// one row lower after a first row "0,001" when the group counts no initial segment; every received
// point is consumed ("---").
void StoreReceivedPoints(Array<std::string, kGridRows> &column, Array<std::string, kGridRows> &received,
                         bool groupWithoutInitial);

// The mask of slots whose results came from a measurement in the vehicle, after results of
// `slot` arrived: set with the status bit 0x10, cleared for results systems 1 and 2 without it,
// unchanged for system 0. Set, cleared and read at the slot, on both layouts.
uint32_t VehicleResultsMask(uint32_t mask, uint8_t interfaceStatus, uint8_t resultsSystem, int slot);

}  // namespace evaluation
