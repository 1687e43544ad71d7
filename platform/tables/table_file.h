#pragma once
// Opening one table file: a missing file is created with its structure; an existing one is
// refused when it is plain SQLite, is tried with each candidate key and must carry this
// engine's format marker and the expected structure; the indexes the structure asks for are added
// when the file lacks them. A file that is empty once its journal is
// rolled back (a create cut short) is created like a missing one.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/runtime/errors.h"
#include "platform/tables/key_derivation.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/structure.h"

namespace tables {

// The statements a table prepares on its file's connection, kept with the connection between
// Close and the next Open of the same file.
struct TableStatements {
    Statement rows;   // records from a number on, stepped for Next
    Statement count;  // the highest record number
    Statement read;   // one record, for Post of an Edit
    Statement insert;
    Statement update;
    Statement begin, commit;           // a held read
    std::map<int, Statement> lookups;  // by 2 * field + (from the last)
};

struct OpenedFile {
    std::unique_ptr<Connection> connection;
    TableKey key;                // the key that opened it
    std::vector<int> keyFields;  // the fields the file indexes (record_index.h)
    TableStatements statements = {};
};

// Which file a path names: a file replaced on disk (a copy put in its place) has another identity.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};
// The identity of the file at `path`; none when there is no such file.
std::optional<FileIdentity> IdentityOf(const std::string &path);

// Raised when a file holds no table yet (missing, of zero length, or emptied by rolling back a
// create cut short) and no key to create it was given.
class ENoTableYet : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

// `newFileKey` keys a file that has to be created; without it a file holding no table yet raises
// ENoTableYet.
OpenedFile OpenTableFile(const std::string &path, const std::string &name, const TableStructure &structure,
                         std::span<const TableKey> candidates, const TableKey *newFileKey);

}  // namespace tables
