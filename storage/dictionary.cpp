#include "storage/dictionary.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/runtime/text_file.h"

namespace storage {
namespace {

constexpr std::array<DictionaryKind, kDictionaryKinds> kKinds = {{
    {33, 39, 28, 27, false, 0x02},
    {37, -1, 240, -1, true, 0x04},
    {38, -1, 239, -1, true, 0x08},
    {35, -1, 238, -1, false, 0x10},
    {36, -1, 21, -1, false, 0x20},
    {34, -1, 13, -1, false, 0x40},
}};

const std::string kFree = "---";

bool IsFree(const std::string &text) {
    return text.empty() || text == kFree;
}

std::string Text(tables::TTable &table, int field) {
    return field < 0 ? std::string() : table.Fields[field].AsString();
}

// The distinct values of the jobs, in order of first appearance.
void CollectFromJob(tables::TTable &genData, const DictionaryKind &k, std::vector<DictionaryRow> &rows) {
    const std::string text = Text(genData, k.jobField);
    const std::string position = Text(genData, k.jobPositionField);
    const std::vector<std::string> candidates = k.everyLine ? textfile::SplitLines(text) : std::vector{text};
    for (const std::string &value : candidates) {
        if (IsFree(value)) continue;
        const bool known = std::any_of(rows.begin(), rows.end(), [&](const DictionaryRow &row) {
            return row.value == value && (k.jobPositionField < 0 || row.position == position);
        });
        if (!known) rows.push_back({value, position});
    }
}

// Stores the rows in GenData2 records 1, 2, ...; rows beyond the last record stay unstored.
void Convert(tables::TTable &genData2, const DictionaryKind &k, std::vector<DictionaryRow> &rows) {
    genData2.First();
    for (DictionaryRow &row : rows) {
        if (genData2.Eof()) break;
        genData2.Edit();
        genData2.Fields[k.field].SetAsString(row.value);
        if (k.positionField >= 0) genData2.Fields[k.positionField].SetAsString(row.position);
        genData2.Post();
        row.recordNumber = genData2.RecNo();
        genData2.Next();
    }
}

}  // namespace

const DictionaryKind &DictionaryKindOf(int kind) {
    if (kind < 0 || kind >= kDictionaryKinds) throw std::out_of_range("no dictionary kind " + std::to_string(kind));
    return kKinds[static_cast<size_t>(kind)];
}

std::vector<DictionaryRow> ListDictionary(tables::TTable &genData, tables::TTable &genData2, int kind) {
    const DictionaryKind &k = DictionaryKindOf(kind);
    genData.First();
    genData2.First();
    const int32_t mask = genData2.Eof() ? 0 : genData2.Fields[kDictionaryMaskField].AsInteger();
    const bool built = (mask & k.maskBit) != 0;

    std::vector<DictionaryRow> rows;
    for (; !genData.Eof(); genData.Next()) {
        if (!built) {
            CollectFromJob(genData, k, rows);
            continue;
        }
        if (genData2.Eof()) break;
        const std::string value = Text(genData2, k.field);
        if (!IsFree(value)) rows.push_back({value, Text(genData2, k.positionField), genData2.RecNo()});
        genData2.Next();
    }
    if (built) return rows;

    Convert(genData2, k, rows);
    // The mask lives in the first record: with no record there is nothing to mark (a record made
    // for it would stand beside no job).
    genData2.First();
    if (!genData2.Eof()) {
        genData2.Edit();
        genData2.Fields[kDictionaryMaskField].SetAsInteger(mask | k.maskBit);
        genData2.Post();
    }
    return rows;
}

void FreeDictionaryEntry(tables::TTable &genData2, int recordNumber, int kind) {
    const DictionaryKind &k = DictionaryKindOf(kind);
    genData2.SetRecNo(recordNumber);
    genData2.Edit();
    genData2.Fields[k.field].SetAsString(kFree);
    if (k.positionField >= 0) genData2.Fields[k.positionField].SetAsString(kFree);
    genData2.Post();
}

}  // namespace storage
