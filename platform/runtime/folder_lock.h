#pragma once
// The working folder held by one program at a time. A program holds the folder whose tables and
// text files it works on for as long as it runs; another program asking for the same folder is
// refused before it touches anything. Holds of one process on one folder share one lock, so a
// process may start its window again in the folder while or after an earlier one goes.
#include <memory>
#include <string>

namespace runtime {

// Holds `folder` until the last copy of the result is gone. Raises EDatabaseError saying that
// another program uses the folder's tables when another process holds it. A folder whose file
// system cannot lock is not held (nothing is refused there).
std::shared_ptr<const void> HoldFolder(const std::string &folder);

}  // namespace runtime
