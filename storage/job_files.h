#pragma once
// The ten job files at start-up: they are created together or not at all.
#include "platform/tables/session.h"
#include "storage/job_save.h"

namespace storage {

// Opens each of the ten job tables once. A job file holding no table yet (missing, of zero length,
// or left empty by a create cut short) is made only while no job table holds a record (the first
// start, or a first start cut short): otherwise those files are named in an EDatabaseError and
// nothing is created, so that job numbers never start again at 1 beside the jobs of the other
// tables. Afterwards no job file is created any more: a file that goes missing later is an error
// too. Then super-journals that a killed save left in the tables' folder are removed.
void OpenJobFiles(const JobTables &tables);

// Starts deriving the key of every table's password on threads of their own. Called first thing at
// start-up, the derivations run while the window is made instead of holding up the tables' opening.
void DeriveTableKeysAhead(tables::TSession &session);

}  // namespace storage
