#pragma once
// Super-journals left behind. A commit across several tables writes a super-journal naming the
// tables' journals; a process killed before it wrote that name into the journals leaves the
// super-journal behind for good, as the engine removes only the ones a journal names.
#include <string>
#include <vector>

namespace tables {

// Removes the super-journals in `folder` that no live journal names (one that still begins with its
// header and that the super-journal lists), unless another process is writing
// the table that made one or a table whose journal it lists (a commit still running). Gives the
// names removed, in order. Call it while this process holds no table lock (at start-up): checking a lock
// opens and closes the table file, which would drop the process's own locks on it.
std::vector<std::string> RemoveOrphanSuperJournals(const std::string &folder);

}  // namespace tables
