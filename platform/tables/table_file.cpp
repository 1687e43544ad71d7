#include "platform/tables/table_file.h"

#include <sqlcipher/sqlite3.h>

#include <filesystem>

#include "platform/runtime/errors.h"

namespace tables {
namespace {

constexpr const char *kFormat = "station table 1";

void CreateSchema(Connection &connection, const std::string &name, const TableStructure &structure) {
    connection.Exec(
        "BEGIN IMMEDIATE;"
        "CREATE TABLE meta(name TEXT PRIMARY KEY, value TEXT NOT NULL);"
        "CREATE TABLE records(id INTEGER PRIMARY KEY, data BLOB NOT NULL);"
        "INSERT INTO meta VALUES('format', '" +
            std::string(kFormat) + "'), ('structure', '" + structure.Letters() + "');COMMIT;",
        name);
}

// False when the key does not open the file; raises when the file opens but is not this table.
bool Verify(Connection &connection, const std::string &name, const TableStructure &structure) {
    Statement meta;
    try {
        meta = connection.Prepare("SELECT name, value FROM meta WHERE name IN ('format', 'structure')", name);
    } catch (const EDatabaseError &) {
        if (connection.LastError() == SQLITE_NOTADB) return false;
        if (connection.LastError() == SQLITE_ERROR) throw EDatabaseError(name + ": the file is not a table");
        throw;
    }
    std::string format, stored;
    while (connection.Step(meta, name)) {
        const std::string key = reinterpret_cast<const char *>(sqlite3_column_text(meta.get(), 0));
        (key == "format" ? format : stored) =
            reinterpret_cast<const char *>(sqlite3_column_text(meta.get(), 1));
    }
    if (format != kFormat) throw EDatabaseError(name + ": the file is not a table");
    if (stored != structure.Letters())
        throw EDatabaseError(name + ": the file's field structure \"" + stored +
                             "\" differs from the expected \"" + structure.Letters() + "\"");
    return true;
}

}  // namespace

OpenedFile OpenTableFile(const std::string &path, const std::string &name, const TableStructure &structure,
                         std::span<const TableKey> candidates, const TableKey *newFileKey) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0) {
        if (!newFileKey)
            throw EDatabaseError(name +
                                 (error ? ": the table file does not exist" : ": the table file is empty"));
        OpenedFile created{std::make_unique<Connection>(path, name, *newFileKey, true), *newFileKey};
        CreateSchema(*created.connection, name, structure);
        if (IsPlainSQLiteFile(path))
            throw EDatabaseError(name + ": the table was written without encryption");
        return created;
    }
    if (IsPlainSQLiteFile(path))
        throw EDatabaseError(name + ": the file is an unencrypted SQLite database, not an encrypted table");
    for (const TableKey &key : candidates) {
        OpenedFile opened{std::make_unique<Connection>(path, name, key, false), key};
        if (Verify(*opened.connection, name, structure)) return opened;
    }
    throw EDatabaseError(name + ": wrong password, or the file is not a table");
}

}  // namespace tables
