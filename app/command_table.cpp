// The dispatch table, filled once from the rows of every subsystem; a command number listed twice
// is a programming error.
#include "app/command_table.h"

#include <array>
#include <stdexcept>
#include <string>

namespace commands {
namespace {

using Table = std::array<Action, kCommandCount>;

Table Build() {
    Table table{};
    for (const std::span<const Row> rows : {ShellRows(), DeviceRows(), TextRows(), JobTableRows(), PrintingRows(), EvaluationRows(),
                                                 TariffChangeRows()}) {
        for (const Row &row : rows) {
            if (row.command < 0 || row.command >= kCommandCount || table[row.command] != nullptr)
                throw std::logic_error("command " + std::to_string(row.command) + " dispatched twice or out of range");
            table[row.command] = row.run;
        }
    }
    return table;
}

}  // namespace

Action Find(int32_t command) {
    static const Table table = Build();
    if (command < 0 || command >= kCommandCount) return nullptr;
    return table[command];
}

}  // namespace commands
