#pragma once
// Damages one record of a table file in place: its stored form becomes a field tag cut short,
// which no structure decodes, the way a torn or overwritten record reads. The file stays a sound
// table file.
#include <string>

#include "platform/tables/sqlite_link.h"
#include "platform/tables/table.h"

inline void DamageRecord(const tables::TTable &table, int recNo) {
    tables::Connection link(table.Path(), table.TableName(), table.Key(), false);
    link.Exec("UPDATE records SET data = X'80' WHERE id = " + std::to_string(recNo), table.TableName());
}
