#pragma once
// The legal-basis texts: up to eight named texts (slots 0..7) of the scope of checks ("zakres.db")
// and of the requirements ("wymagania.db"). A changed text is never overwritten: its row stops
// being current and a new current row is appended.
//
// Row fields: 1 slot name, 2..4 the text in parts of 255, 510-and-on characters, 5 current,
// 6 slot number.
#include <array>
#include <cstdint>
#include <string>

#include "platform/tables/table.h"

namespace storage {

inline constexpr int kLegalSlots = 8;

// One set of eight slots as the editor works on it.
struct ZakresRecord {
    std::array<std::string, kLegalSlots> Text, TextSaved, Name, NameSaved;
    std::array<int32_t, kLegalSlots> RowNo{-1, -1, -1, -1, -1, -1, -1, -1};  // current row, -1 none
    std::array<uint8_t, kLegalSlots> TextChanged{}, NameChanged{};
    int32_t Selected = 0;
    int32_t ShownRow = -1;  // the row whose text the job form shows (and a saved job keeps), -1 none
};

// Loads the current rows (at most eight; a slot number outside 0..7 counts as 0; of two rows of
// one slot the later wins); slots without a current row keep their texts. True when any was read.
bool GetZakresDB(ZakresRecord &record, tables::TTable &table);
// Stores the slot as a new current row; the row it replaces stops being current.
void AddZakresDB(ZakresRecord &record, tables::TTable &table, int slot);
// Renames the slot's current row in place.
void SafeNameZakresDB(const ZakresRecord &record, tables::TTable &table, int slot);
// Marks the slots whose text or name differs from what was loaded; true when any does.
bool ChangeZakres(ZakresRecord &record);
// Stores every slot marked by the last ChangeZakres: a changed text as a new row, a changed name
// in place (as a new row when the slot has none).
void SaveZakresDB(ZakresRecord &record, tables::TTable &table);

// The text (UTF-8) in the three parts of the row: characters 1..255, 256..510, 511 and on.
std::array<std::string, 3> SplitLegalText(const std::string &text);

}  // namespace storage
