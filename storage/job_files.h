#pragma once
// The ten job files at start-up: they are created together or not at all.
#include <filesystem>
#include <memory>

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

// Opens the program's table files ahead, from the program's start, while the window is made: the
// key of every table's password is queued for derivation, then a thread holds `folder` (before it
// touches any file) and opens each table file found there with its structure and closes it again,
// so the session keeps its connection for the window's own open. Nothing is created or reported
// there: a file that is missing or does not open is left to the window's open, which reports it.
// Until WaitForTablesOpenedAhead the session must not be used elsewhere.
void OpenTablesAhead(tables::TSession &session, const std::filesystem::path &folder);
// Waits for OpenTablesAhead's thread and gives its hold on the folder: none when no opening ahead
// was started, or another program holds the folder.
std::shared_ptr<const void> WaitForTablesOpenedAhead();

}  // namespace storage
