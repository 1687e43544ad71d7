#pragma once
// Reading a saved job back: the job record and, by its job number, the record of every child
// table, each field the save layouts list read as the type it was written with.
#include "storage/job_save.h"

namespace storage {

struct LoadedJob {
    int number = 0;  // the job number linking the records
    // The values by table; fields stored empty are absent. A child table without a record of
    // this job reads as empty and `found` says so.
    JobRecord record;
    std::array<bool, kJobTableCount> found{};
};

// Reads job `recNo` (1-based record number of the job table). When a child table holds several
// records of the job, the later one is read. The tables are opened and closed here; a record
// number out of range raises the table's error.
LoadedJob ReadJob(const JobTables &tables, int recNo);

}  // namespace storage
