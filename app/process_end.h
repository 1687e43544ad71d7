#pragma once
// Ending the process from inside a command: by default at once, with no window closed and no
// static destruction; tests put a recorder in its place.
#include <functional>

namespace shell {

// Ends the process with the given exit code.
extern std::function<void(int)> EndProcess;

}  // namespace shell
