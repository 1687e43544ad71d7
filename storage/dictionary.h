#pragma once
// The dictionaries of earlier entries: six kinds of free text that recur from job to job, kept in
// the GenData2 records (entry n of a kind is its field in record n). Until a kind is built (its
// bit in the mask of the first GenData2 record), its entries are collected from the jobs
// themselves and then written into the GenData2 records.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/tables/table.h"

namespace storage {

inline constexpr int kDictionaryKinds = 6;
inline constexpr int kDictionaryMaskField = 42;  // GenData2, first record

struct DictionaryKind {
    int field;             // GenData2 field of the entries
    int positionField;     // GenData2 field of the position (persons only), else -1
    int jobField;          // GenData field the entries come from before the kind is built
    int jobPositionField;  // GenData field of the position (persons only), else -1
    bool everyLine;        // each line of the job field is an entry
    int32_t maskBit;
};

// Kinds: 0 persons with their position, 1 seal positions, 2 additional devices, 3 places of
// check, 4 applicants, 5 manufacturers.
const DictionaryKind &DictionaryKindOf(int kind);

// A row of the pick list: the entry, its position, and the GenData2 record that holds it (0 when
// it could not be stored: more entries than records).
struct DictionaryRow {
    std::string value, position;
    int recordNumber = 0;
};

// The entries of a kind, over the open GenData and GenData2 tables walked side by side: a built
// kind lists every stored entry that is not free ("---" or empty); a kind not built yet lists each
// distinct value of the jobs once, in order of first appearance, writes them into GenData2
// records 1, 2, ... and sets the kind's bit.
std::vector<DictionaryRow> ListDictionary(tables::TTable &genData, tables::TTable &genData2, int kind);

// Frees the entry of a kind held by GenData2 record `recordNumber` (the open table): "---".
void FreeDictionaryEntry(tables::TTable &genData2, int recordNumber, int kind);

}  // namespace storage
