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

std::string MetaValue(Connection &connection, const std::string &name, const char *key) {
    Statement query = connection.Prepare("SELECT value FROM meta WHERE name = ?1", name);
    sqlite3_bind_text(query.get(), 1, key, -1, SQLITE_STATIC);
    if (!connection.Step(query, name)) return {};
    return reinterpret_cast<const char *>(sqlite3_column_text(query.get(), 0));
}

// False when the key does not open the file; raises when the file opens but is not this table.
bool Verify(Connection &connection, const std::string &name, const TableStructure &structure) {
    Statement probe;
    try {
        probe =
            connection.Prepare("SELECT count(*) FROM sqlite_master WHERE name IN ('meta', 'records')", name);
    } catch (const EDatabaseError &) {
        if (connection.LastError() == SQLITE_NOTADB) return false;
        throw;
    }
    connection.Step(probe, name);
    if (sqlite3_column_int(probe.get(), 0) != 2 || MetaValue(connection, name, "format") != kFormat)
        throw EDatabaseError(name + ": the file is not a table");
    const std::string stored = MetaValue(connection, name, "structure");
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
