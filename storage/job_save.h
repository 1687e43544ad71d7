#pragma once
// Saving a job: one new record in each of the ten job tables, linked by the job number that the
// job table gives its new record, and the job's free texts added to the dictionaries of earlier
// entries. All of it is one transaction: a failure anywhere leaves every table as it was.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/tables/session.h"
#include "platform/tables/table.h"
#include "storage/job_layout.h"

namespace storage {

using FieldValue = std::variant<std::string, int32_t, bool>;
// The fields of one new record, by field number; fields not present stay empty.
using RecordValues = std::map<int, FieldValue>;
// One job: the record of every job table, indexed as JobTable.
using JobRecord = std::array<RecordValues, kJobTableCount>;
using JobTables = std::array<tables::TTable *, kJobTableCount>;

// One value for a dictionary of earlier entries: `value` in field `field` of a GenData2 record,
// and for a person also `position` in the position field.
struct DictionaryEntry {
    int field;
    std::string value;
    int positionField = -1;
    std::string position = {};
};

// The dictionary fields of GenData2 and the link fields of the job tables.
inline constexpr int kJobNumberField = 40;
inline constexpr int kPersonField = 33, kManufacturerField = 34, kPlaceField = 35, kApplicantField = 36;
inline constexpr int kSealField = 37, kDeviceField = 38, kPositionField = 39;
int LinkFieldOf(int table);

// Writes `job` as a new job and adds `dictionary` in order; returns the new job number. The
// tables are opened and closed here; on any failure nothing of the job lands and the error is
// raised again.
int SaveJob(tables::TSession &session, const JobTables &tables, const JobRecord &job,
            const std::vector<DictionaryEntry> &dictionary);

// Adds one value to the dictionary kept in the open GenData2 table: unless it is already there
// (or is empty or "---"), it goes into the first record whose field is empty or "---". Returns
// whether it was written. The dictionary fields are found through the table's indexes.
bool AddToDictionary(tables::TTable &genData2, const DictionaryEntry &entry);

}  // namespace storage
