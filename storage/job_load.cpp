#include "storage/job_load.h"

#include <exception>
#include <string>

#include "platform/runtime/errors.h"
#include "storage/field_values.h"

namespace storage {

namespace {

// Ends the tables' reads when the load is done, and closes them when it fails: a failed load
// leaves nothing open that the next one could trust.
struct ReadsEnded {
    const JobTables &tables;
    const int uncaught = std::uncaught_exceptions();
    ~ReadsEnded() {
        const bool failed = std::uncaught_exceptions() > uncaught;
        for (tables::TTable *table : tables) failed ? table->Close() : table->EndRead();
    }
};

// Starts one read of `table` for the whole job, opening it unless it is open on the file its path
// names in the browsing state. A table kept open from the last load costs no open; a file that
// another program put in its place is opened afresh. Changes to the same file are seen by the
// engine itself, which checks the file's change counter whenever a read begins.
void BeginRead(tables::TTable &table) {
    if (table.Active() && (table.GetState() != tables::TTable::State::Browse || !table.SameFile()))
        table.Close();
    table.HoldRead();
    table.Open();
}

bool Readable(const FieldSpec &fieldSpec) {
    return fieldSpec.source != Source::None && fieldSpec.source != Source::Link &&
           fieldSpec.source != Source::AutoNumber;
}

// For every field of a job table, the type the save wrote it with, or none when the layouts list
// no value for it (such fields read as empty whatever the file holds).
using ReadableTypes = std::vector<std::optional<tables::FieldType>>;
const ReadableTypes &ReadableTypesOf(int table) {
    static const std::array<ReadableTypes, kJobTableCount> types = [] {
        std::array<ReadableTypes, kJobTableCount> all;
        for (int t = 0; t < kJobTableCount; ++t) {
            all[static_cast<size_t>(t)].resize(static_cast<size_t>(FieldCountOf(t)));
            for (const FieldSpec &fieldSpec : LayoutOf(t))
                if (Readable(fieldSpec))
                    all[static_cast<size_t>(t)][static_cast<size_t>(fieldSpec.field)] = fieldSpec.type;
        }
        return all;
    }();
    return types.at(static_cast<size_t>(table));
}

// The stored value of a field read as `type`; none when it is empty, unlisted or of another type.
const tables::FieldValue *Find(const LoadedJob &job, int table, int field, tables::FieldType type) {
    const std::vector<tables::FieldValue> &values = job.stored.at(static_cast<size_t>(table));
    if (field < 0 || static_cast<size_t>(field) >= values.size()) return nullptr;
    if (ReadableTypesOf(table)[static_cast<size_t>(field)] != type) return nullptr;
    const tables::FieldValue &value = values[static_cast<size_t>(field)];
    return value.isNull ? nullptr : &value;
}

// Moves to the last record of `table` linked to job `number`; false when there is none.
bool FindLinked(tables::TTable &table, int linkField, int number) {
    const std::vector<int> last = table.RecordsWith(linkField, number, true, 1);
    if (last.empty()) return false;
    table.SetRecNo(last.front());
    return true;
}

}  // namespace

JobRecord LoadedJob::Values() const {
    JobRecord record;
    for (int t = 0; t < kJobTableCount; ++t) {
        const ReadableTypes &types = ReadableTypesOf(t);
        const std::vector<tables::FieldValue> &values = stored[static_cast<size_t>(t)];
        RecordValues &out = record[static_cast<size_t>(t)];
        for (size_t field = 0; field < values.size() && field < types.size(); ++field) {
            if (!types[field] || values[field].isNull) continue;
            const tables::FieldValue &value = values[field];
            const int at = static_cast<int>(field);
            switch (*types[field]) {
                case tables::FieldType::Text:
                    out.emplace_hint(out.end(), at, value.text);
                    break;
                case tables::FieldType::Integer:
                    out.emplace_hint(out.end(), at, value.number);
                    break;
                case tables::FieldType::Boolean:
                    out.emplace_hint(out.end(), at, value.number != 0);
                    break;
            }
        }
    }
    return record;
}

std::string LoadedJob::Text(int table, int field) const {
    const tables::FieldValue *value = Find(*this, table, field, tables::FieldType::Text);
    return value ? value->text : std::string();
}

int32_t LoadedJob::Integer(int table, int field) const {
    const tables::FieldValue *value = Find(*this, table, field, tables::FieldType::Integer);
    return value ? value->number : 0;
}

bool LoadedJob::Boolean(int table, int field) const {
    const tables::FieldValue *value = Find(*this, table, field, tables::FieldType::Boolean);
    return value && value->number != 0;
}

std::optional<int32_t> LoadedJob::Number(int table, int field) const {
    return WholeNumber(Text(table, field));
}

std::vector<std::string> LoadedJob::Lines(int table, int field) const {
    return SplitLines(Text(table, field));
}

LoadedJob ReadJob(const JobTables &tables, int recNo) {
    ReadsEnded ended{tables};
    for (tables::TTable *table : tables) BeginRead(*table);
    tables::TTable &genData = *tables[kGenData];
    if (recNo < 1) throw EDatabaseError("no job at record number " + std::to_string(recNo));
    genData.SetRecNo(recNo);
    LoadedJob job;
    genData.ReadRecord(job.stored[kGenData]);
    job.number = job.stored[kGenData][kJobNumberField].number;
    job.found[kGenData] = true;
    for (int t = kGenData + 1; t < kJobTableCount; ++t) {
        tables::TTable &child = *tables[static_cast<size_t>(t)];
        job.found[static_cast<size_t>(t)] = FindLinked(child, LinkFieldOf(t), job.number);
        if (job.found[static_cast<size_t>(t)]) child.ReadRecord(job.stored[static_cast<size_t>(t)]);
    }
    return job;
}

}  // namespace storage
