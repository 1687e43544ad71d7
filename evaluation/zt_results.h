#pragma once
// Decoding of the blocks of the ZT measuring-point message: a header with the number of entries
// per block, then distance blocks and time blocks of packed-BCD nominal values.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/evaluation_state.h"

namespace evaluation {

struct ZtRow {
    std::string Nom;    // nominal value: metres or seconds with three decimals, or "---"
    std::string Units;  // N: the entry's number counted from 1, or "---"
};

struct ZtBlock {
    enum class Kind { Header, Distance, Time, Ignored };
    Kind kind = Kind::Ignored;
    int tariff = 0;           // 0..7 of the shown layout, for a distance or time block
    std::vector<ZtRow> rows;  // rows 0.. of the grid's NOM and N columns
};

// Decodes one block (byte 0 = block number). The header (block 0) sets ZtBlockCount and
// ZtBlockEntries; a data block gives its rows, distances as value x 1000 / k with k the meter
// constant text as an integer. An entry count beyond the block's bytes or the grid's rows is cut
// to what is there; a digit that is not BCD, or a k that is not a non-zero integer, gives "---".
ZtBlock DecodeZtBlock(EvaluationState &state, std::span<const uint8_t> block,
                      std::string_view meterConstantText);

}  // namespace evaluation
