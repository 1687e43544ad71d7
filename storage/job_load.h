#pragma once
// Reading a saved job back: the job record and, by its job number, the record of every child
// table, each field the save layouts list read as the type it was written with (the checklist
// field of older records, which today's save leaves empty, included).
#include <optional>
#include <string>
#include <vector>

#include "storage/job_save.h"

namespace storage {

struct LoadedJob {
    int number = 0;  // the job number linking the records
    // Each table's record as stored, every field decoded. A child table without a record of this
    // job holds no fields and `found` says so.
    std::array<std::vector<tables::FieldValue>, kJobTableCount> stored;
    std::array<bool, kJobTableCount> found{};

    // The fields the save layouts list, as the save wrote them; fields stored empty are absent.
    JobRecord Values() const;

    // A field of `table` as the type it holds; an empty field reads as "", 0 or false.
    std::string Text(int table, int field) const;
    int32_t Integer(int table, int field) const;
    bool Boolean(int table, int field) const;
    // A text field converted to an integer; none when it is not a whole number.
    std::optional<int32_t> Number(int table, int field) const;
    // The lines of a line-list field.
    std::vector<std::string> Lines(int table, int field) const;
};

// Reads job `recNo` (1-based record number of the job table). When a child table holds several
// records of the job, the later one is read. The tables are opened here and stay open for the next
// load, holding no lock of their files; a record number out of range raises the table's error and
// leaves them closed.
LoadedJob ReadJob(const JobTables &tables, int recNo);

}  // namespace storage
