#include "platform/tables/table_file.h"

#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/tables/record_index.h"

namespace tables {
namespace {

constexpr const char *kFormat = "station table 1";

void CreateSchema(Connection &connection, const std::string &name, const TableStructure &structure) {
    connection.Exec(
        "BEGIN IMMEDIATE;"
        "CREATE TABLE meta(name TEXT PRIMARY KEY, value TEXT NOT NULL);"
        "CREATE TABLE records(id INTEGER PRIMARY KEY, data BLOB NOT NULL);"
        "INSERT INTO meta VALUES('format', '" +
            std::string(kFormat) + "'), ('structure', '" + structure.TypeLetters() + "');COMMIT;",
        name);
}

enum class Found { Table, WrongKey, Empty };

// Whether the key opens the file as this table; raises when the file opens but is not this table.
// A file can be empty once opened: the journal of a create that was cut short rolls it back.
Found Verify(Connection &connection, const std::string &name, const TableStructure &structure) {
    Statement meta;
    try {
        meta = connection.Prepare("SELECT name, value FROM meta WHERE name IN ('format', 'structure')", name);
    } catch (const EDatabaseError &) {
        if (connection.LastError() == SQLITE_NOTADB) return Found::WrongKey;
        if (connection.LastError() != SQLITE_ERROR) throw;
        Statement pages = connection.Prepare("PRAGMA page_count", name);
        if (connection.Step(pages, name) && sqlite3_column_int(pages.get(), 0) == 0) return Found::Empty;
        throw EDatabaseError(name + ": the file is not a table");
    }
    std::string format, stored;
    while (connection.Step(meta, name)) {
        const std::string key = reinterpret_cast<const char *>(sqlite3_column_text(meta.get(), 0));
        (key == "format" ? format : stored) =
            reinterpret_cast<const char *>(sqlite3_column_text(meta.get(), 1));
    }
    if (format != kFormat) throw EDatabaseError(name + ": the file is not a table");
    if (stored != structure.TypeLetters())
        throw EDatabaseError(name + ": the file's field structure \"" + stored +
                             "\" differs from the expected \"" + structure.TypeLetters() + "\"");
    return Found::Table;
}

// An empty or missing file becomes a new table with `structure`, keyed with `newFileKey`.
OpenedFile Create(const std::string &path, const std::string &name, const TableStructure &structure,
                  const TableKey *newFileKey, const char *why) {
    if (!newFileKey) throw ENoTableYet(name + why);
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
        throw EDatabaseError(name +
                             ": the name is a symbolic link to no file; no table is created through a link");
    OpenedFile created{std::make_unique<Connection>(path, name, *newFileKey, true), *newFileKey, {}};
    CreateSchema(*created.connection, name, structure);
    if (IsPlainSQLiteFile(path)) throw EDatabaseError(name + ": the table was written without encryption");
    created.keyFields = EnsureIndexes(*created.connection, name, structure);
    return created;
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string &path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

OpenedFile OpenTableFile(const std::string &path, const std::string &name, const TableStructure &structure,
                         std::span<const TableKey> candidates, const TableKey *newFileKey) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return Create(path, name, structure, newFileKey, ": the table file does not exist");
    if (size == 0) return Create(path, name, structure, newFileKey, ": the table file is empty");
    if (IsPlainSQLiteFile(path))
        throw EDatabaseError(name + ": the file is an unencrypted SQLite database, not an encrypted table");
    // The key a file is created with opens what a create cut short left.
    std::vector<TableKey> keys(candidates.begin(), candidates.end());
    if (newFileKey && std::find(keys.begin(), keys.end(), *newFileKey) == keys.end())
        keys.push_back(*newFileKey);
    for (const TableKey &key : keys) {
        OpenedFile opened{std::make_unique<Connection>(path, name, key, false), key, {}};
        switch (Verify(*opened.connection, name, structure)) {
            case Found::Table:
                opened.keyFields = EnsureIndexes(*opened.connection, name, structure);
                return opened;
            case Found::WrongKey:
                break;
            case Found::Empty:
                opened.connection.reset();
                return Create(path, name, structure, newFileKey, ": the table file is empty");
        }
    }
    throw EDatabaseError(name + ": wrong password, or the file is not a table");
}

}  // namespace tables
