#pragma once
// Opening one table file: a missing file is created with its structure; an existing one is
// refused when it is plain SQLite, is tried with each candidate key and must carry this
// engine's format marker and the expected structure; the indexes the structure asks for are added
// when the file lacks them. A file that is empty once its journal is
// rolled back (a create cut short) is created like a missing one.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/tables/key_derivation.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/structure.h"

namespace tables {

struct OpenedFile {
    std::unique_ptr<Connection> connection;
    TableKey key;                // the key that opened it
    std::vector<int> keyFields;  // the fields the file indexes (record_index.h)
};

// `newFileKey` keys a file that has to be created; without it a missing file is an error.
OpenedFile OpenTableFile(const std::string &path, const std::string &name, const TableStructure &structure,
                         std::span<const TableKey> candidates, const TableKey *newFileKey);

}  // namespace tables
