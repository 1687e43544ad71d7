#include "storage/job_load.h"

#include <string>

#include "platform/runtime/errors.h"
#include "storage/field_values.h"

namespace storage {

namespace {

struct ClosedOnExit {
    const JobTables &tables;
    ~ClosedOnExit() {
        for (tables::TTable *table : tables) table->Close();
    }
};

// The fields of the current record that the save writes or older saves wrote, as their types.
RecordValues ReadValues(tables::TTable &table, int layout) {
    std::vector<tables::FieldValue> stored;
    table.ReadRecord(stored);
    RecordValues values;
    for (const FieldSpec &fieldSpec : LayoutOf(layout)) {
        if (fieldSpec.source == Source::None || fieldSpec.source == Source::Link || fieldSpec.source == Source::AutoNumber)
            continue;
        tables::FieldValue &field = stored[static_cast<size_t>(fieldSpec.field)];
        if (field.isNull) continue;
        // The layout lists fields in ascending order: each goes in at the map's end.
        switch (fieldSpec.type) {
            case tables::FieldType::Text:
                values.emplace_hint(values.end(), fieldSpec.field, std::move(field.text));
                break;
            case tables::FieldType::Integer:
                values.emplace_hint(values.end(), fieldSpec.field, field.number);
                break;
            case tables::FieldType::Boolean:
                values.emplace_hint(values.end(), fieldSpec.field, field.number != 0);
                break;
        }
    }
    return values;
}

// Moves to the last record of `table` linked to job `number`; false when there is none.
bool FindLinked(tables::TTable &table, int linkField, int number) {
    const std::vector<int> last = table.RecordsWith(linkField, number, true, 1);
    if (last.empty()) return false;
    table.SetRecNo(last.front());
    return true;
}

}  // namespace

namespace {

const FieldValue *Find(const LoadedJob &job, int table, int field) {
    const RecordValues &values = job.record.at(static_cast<size_t>(table));
    const auto it = values.find(field);
    return it == values.end() ? nullptr : &it->second;
}

}  // namespace

std::string LoadedJob::Text(int table, int field) const {
    const FieldValue *value = Find(*this, table, field);
    const auto *text = value ? std::get_if<std::string>(value) : nullptr;
    return text ? *text : std::string();
}

int32_t LoadedJob::Integer(int table, int field) const {
    const FieldValue *value = Find(*this, table, field);
    const auto *integer = value ? std::get_if<int32_t>(value) : nullptr;
    return integer ? *integer : 0;
}

bool LoadedJob::Boolean(int table, int field) const {
    const FieldValue *value = Find(*this, table, field);
    const auto *flag = value ? std::get_if<bool>(value) : nullptr;
    return flag && *flag;
}

std::optional<int32_t> LoadedJob::Number(int table, int field) const {
    return WholeNumber(Text(table, field));
}

std::vector<std::string> LoadedJob::Lines(int table, int field) const {
    return SplitLines(Text(table, field));
}

LoadedJob ReadJob(const JobTables &tables, int recNo) {
    ClosedOnExit closer{tables};
    for (tables::TTable *table : tables) {
        table->HoldRead();  // one read per table for the whole job, the open's included
        table->Open();
    }
    tables::TTable &genData = *tables[kGenData];
    if (recNo < 1) throw EDatabaseError("no job at record number " + std::to_string(recNo));
    genData.SetRecNo(recNo);
    LoadedJob job;
    job.number = genData.Fields[kJobNumberField].AsInteger();
    job.record[kGenData] = ReadValues(genData, kGenData);
    job.found[kGenData] = true;
    for (int t = kGenData + 1; t < kJobTableCount; ++t) {
        tables::TTable &child = *tables[static_cast<size_t>(t)];
        job.found[static_cast<size_t>(t)] = FindLinked(child, LinkFieldOf(t), job.number);
        if (job.found[static_cast<size_t>(t)]) job.record[static_cast<size_t>(t)] = ReadValues(child, t);
    }
    return job;
}

}  // namespace storage
