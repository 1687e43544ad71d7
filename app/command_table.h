#pragma once
// The command dispatch: every command number the panels queue runs one action of the main window.
// Each subsystem lists the rows of its own commands beside its window operations; the table joins
// them once.
#include <cstdint>
#include <span>

class TForm1;

namespace commands {

// Runs a queued command; `command` is the number that was queued.
using Action = void (*)(TForm1 &form, int32_t command);

struct Row {
    int32_t command;
    Action run;
};

constexpr int32_t kCommandCount = 68;  // numbers 0 .. 67

// The rows of each subsystem's commands.
std::span<const Row> ShellRows();   // app/
std::span<const Row> DeviceRows();  // device/window
std::span<const Row> TextRows();    // storage/: pick list, legal-basis editor
std::span<const Row> JobTableRows();  // storage/: save screen, saved-jobs list, regime, layout switches
std::span<const Row> PrintingRows();  // printing/window
std::span<const Row> EvaluationRows();  // evaluation/window
std::span<const Row> TariffChangeRows();  // tariffchange/window

// The action of a command; null when no row dispatches it (the press only raises its panel).
Action Find(int32_t command);

}  // namespace commands
