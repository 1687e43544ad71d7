#pragma once
// A thin owner of SQLCipher connections and statements. Every connection is encrypted: it is
// refused when the linked library is not SQLCipher, and every file it opens or attaches is
// keyed with the same explicit cipher settings, so files stay readable by later builds. Files are
// reached through the folder-sync layer (folder_sync_vfs.h), attached ones included.
#include <string>

#include "platform/tables/key_derivation.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tables {

class Statement {
public:
    Statement() = default;
    ~Statement();
    Statement(Statement &&other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return stmt_; }
    explicit operator bool() const { return stmt_ != nullptr; }
    void Reset();

private:
    friend class Connection;
    sqlite3_stmt *stmt_ = nullptr;
};

class Connection {
public:
    // Opens `path` as the main database, keyed with `key`; `name` is the table name used in
    // messages. With `create` a missing file is created.
    Connection(const std::string &path, const std::string &name, const TableKey &key, bool create);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Attaches another table file under `schema`, keyed with `key`.
    void Attach(const std::string &path, const std::string &name, const std::string &schema,
                const TableKey &key);

    void Exec(const std::string &sql, const std::string &name);
    Statement Prepare(const std::string &sql, const std::string &name);
    // Steps a statement: true for a row, false when done; an error raises EDatabaseError.
    bool Step(Statement &statement, const std::string &name);

    // Raises EDatabaseError "<name>: <what>: <engine message>".
    [[noreturn]] void Fail(const std::string &name, const std::string &what) const;

    // The engine's last result code (SQLITE_NOTADB for a wrong key or a file that is not one).
    int LastError() const;
    sqlite3 *Handle() const { return db_; }

private:
    void Configure(const std::string &name, const TableKey &key);
    sqlite3 *db_ = nullptr;
};

// True when the file starts with the header of an unencrypted SQLite database.
bool IsPlainSQLiteFile(const std::string &path);

}  // namespace tables
