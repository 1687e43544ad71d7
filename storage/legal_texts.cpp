#include "storage/legal_texts.h"

namespace storage {
namespace {

constexpr int kNameField = 1, kFirstPartField = 2, kCurrentField = 5, kSlotField = 6;
constexpr size_t kPartLength = 255;

// Byte offset of the character `count` characters into the UTF-8 text (its end when shorter).
size_t CharacterOffset(const std::string &text, size_t from, size_t count) {
    size_t at = from;
    for (; at < text.size() && count > 0; --count) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return at;
}

}  // namespace

std::array<std::string, 3> SplitLegalText(const std::string &text) {
    const size_t first = CharacterOffset(text, 0, kPartLength);
    const size_t second = CharacterOffset(text, first, kPartLength);
    return {text.substr(0, first), text.substr(first, second - first), text.substr(second)};
}

bool GetZakresDB(ZakresRecord &record, tables::TTable &table) {
    record.RowNo.fill(-1);
    int count = 0;
    table.Open();
    for (table.First(); !table.Eof(); table.Next()) {
        if (count >= kLegalSlots || !table.Fields[kCurrentField].AsBoolean()) continue;
        int slot = table.Fields[kSlotField].AsInteger();
        if (slot < 0 || slot >= kLegalSlots) slot = 0;
        const size_t s = static_cast<size_t>(slot);
        record.Name[s] = record.NameSaved[s] = table.Fields[kNameField].AsString();
        std::string text;
        for (int part = 0; part < 3; ++part) text += table.Fields[kFirstPartField + part].AsString();
        record.Text[s] = record.TextSaved[s] = text;
        record.RowNo[s] = table.RecNo();
        ++count;
    }
    table.Close();
    return count > 0;
}

void AddZakresDB(ZakresRecord &record, tables::TTable &table, int slot) {
    const size_t s = static_cast<size_t>(slot);
    table.Open();
    const int count = table.RecordCount();
    // Row 0 names no record: only a real row is marked as replaced.
    if (count > 0 && record.RowNo[s] >= 1 && record.RowNo[s] <= count) {
        table.SetRecNo(record.RowNo[s]);
        table.Edit();
        table.Fields[kCurrentField].SetAsBoolean(false);
        table.Post();
    }
    table.Append();
    table.Fields[kNameField].SetAsString(record.Name[s]);
    const std::array<std::string, 3> parts = SplitLegalText(record.Text[s]);
    for (int part = 0; part < 3; ++part)
        if (!parts[static_cast<size_t>(part)].empty())
            table.Fields[kFirstPartField + part].SetAsString(parts[static_cast<size_t>(part)]);
    table.Fields[kSlotField].SetAsInteger(slot);
    table.Fields[kCurrentField].SetAsBoolean(true);
    table.Post();
    table.Last();
    record.RowNo[s] = table.RecNo();
    table.Close();
}

void SafeNameZakresDB(const ZakresRecord &record, tables::TTable &table, int slot) {
    const size_t s = static_cast<size_t>(slot);
    table.Open();
    table.SetRecNo(record.RowNo[s]);
    table.Edit();
    table.Fields[kNameField].SetAsString(record.Name[s]);
    table.Post();
    table.Close();
}

bool ChangeZakres(ZakresRecord &record) {
    bool any = false;
    for (size_t s = 0; s < kLegalSlots; ++s) {
        record.TextChanged[s] = record.Text[s] != record.TextSaved[s];
        record.NameChanged[s] = record.Name[s] != record.NameSaved[s];
        any = any || record.TextChanged[s] || record.NameChanged[s];
    }
    return any;
}

void SaveZakresDB(ZakresRecord &record, tables::TTable &table) {
    for (int slot = 0; slot < kLegalSlots; ++slot) {
        const size_t s = static_cast<size_t>(slot);
        if (record.TextChanged[s] || (record.NameChanged[s] && record.RowNo[s] < 0))
            AddZakresDB(record, table, slot);
        else if (record.NameChanged[s])
            SafeNameZakresDB(record, table, slot);
    }
}

}  // namespace storage
