#pragma once
// The indexes of a table file: for each indexed field a key column of the records table, holding
// the field's value as the record stores it (NULL when empty), and an SQLite index over it. The
// engine fills the key columns on every write; a file written without an index gains it when it
// is first opened with a structure that asks for it.
#include <string>
#include <vector>

#include "platform/tables/record_codec.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/structure.h"

namespace tables {

// The key column of field `field` ("k41").
std::string KeyColumn(int field);

// Binds the key of `value` (a field of `type`) to parameter `param`.
void BindKey(sqlite3_stmt *statement, int param, FieldType type, const FieldValue &value);

// Adds the indexes `structure` asks for and the file lacks, filling their keys from the stored
// records, in one write transaction; returns every field the file indexes, ascending (those of
// earlier structures included, so that every write keeps all of them current).
std::vector<int> EnsureIndexes(Connection &connection, const std::string &name, const TableStructure &structure);

}  // namespace tables
