#include "platform/tables/sqlite_link.h"

#include <sqlcipher/sqlite3.h>

#include <cstring>
#include <fstream>

#include "platform/runtime/errors.h"
#include "platform/tables/folder_sync_vfs.h"

namespace tables {
namespace {

// A table lock held by another connection is waited for this long (a save or a held read of a
// moment), then the operation fails.
constexpr int kBusyTimeoutMs = 2000;

// Cipher settings of every table file, fixed explicitly rather than taken from the library's
// defaults: AES-256-CBC pages of 4096 bytes with a per-page HMAC (SHA1 in this SQLCipher
// generation). A later SQLCipher major version opens these files after
// "PRAGMA cipher_page_size = 4096; PRAGMA cipher_hmac_algorithm = HMAC_SHA1;
//  PRAGMA cipher_kdf_algorithm = PBKDF2_HMAC_SHA1" with the same raw key.
constexpr const char *kCipherDefaults =
    "PRAGMA cipher_default_page_size = 4096; PRAGMA cipher_default_kdf_iter = 64000; "
    "PRAGMA cipher_default_use_hmac = ON;";

}  // namespace

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::Reset() {
    if (stmt_) sqlite3_reset(stmt_);
}

Statement &Statement::operator=(Statement &&other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

Connection::Connection(const std::string &path, const std::string &name, const TableKey &key, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, FolderSyncVfsName()) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close_v2(db_);
        throw EDatabaseError(name + ": cannot open the table file: " + message);
    }
    try {
        Configure(name, key);
    } catch (...) {
        sqlite3_close_v2(db_);
        throw;
    }
}

void Connection::Configure(const std::string &name, const TableKey &key) {
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // An SQLite library without encryption answers nothing to cipher_version: refuse to go on.
    Statement version = Prepare("PRAGMA cipher_version", name);
    if (!Step(version, name) || sqlite3_column_bytes(version.get(), 0) == 0)
        throw EDatabaseError(
            name + ": the table engine does not encrypt (the SQLite library in use is not SQLCipher)");
    version = Statement();
    Exec(kCipherDefaults, name);
    const std::string literal = RawKeyLiteral(key);
    if (sqlite3_key(db_, literal.data(), static_cast<int>(literal.size())) != SQLITE_OK)
        Fail(name, "cannot set the table key");
    // Before the first page is read. The rollback journal and full syncs, the library's defaults
    // and never changed, make a commit across attached files atomic.
    Exec("PRAGMA cipher_page_size = 4096; PRAGMA kdf_iter = 64000; PRAGMA cipher_use_hmac = ON;", name);
}

Connection::~Connection() {
    sqlite3_close_v2(db_);
}

int Connection::LastError() const {
    return sqlite3_errcode(db_);
}

void Connection::Attach(const std::string &path, const std::string &name, const std::string &schema,
                        const TableKey &key) {
    Statement attach = Prepare("ATTACH DATABASE ?1 AS ?2 KEY ?3", name);
    const std::string literal = RawKeyLiteral(key);
    sqlite3_bind_text(attach.get(), 1, path.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(attach.get(), 2, schema.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(attach.get(), 3, literal.c_str(), -1, SQLITE_TRANSIENT);
    // Attaching reads the file at once, so its settings are the defaults made in the constructor;
    // setting them again afterwards would disturb the open pager.
    Step(attach, name);
}

void Connection::Exec(const std::string &sql, const std::string &name) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(name, "");
}

Statement Connection::Prepare(const std::string &sql, const std::string &name) {
    Statement statement;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement.stmt_, nullptr) != SQLITE_OK) Fail(name, "");
    return statement;
}

bool Connection::Step(Statement &statement, const std::string &name) {
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // The statement's own error is reported by reset in the legacy interface; make it the
    // connection's error before reporting.
    sqlite3_reset(statement.get());
    Fail(name, "");
}

void Connection::Fail(const std::string &name, const std::string &what) const {
    const int code = sqlite3_errcode(db_);
    std::string message = name + ": ";
    if (!what.empty()) message += what + ": ";
    if (code == SQLITE_NOTADB)
        message += "wrong password, or the file is not a table";
    else
        message += sqlite3_errmsg(db_);
    throw EDatabaseError(message);
}

bool IsPlainSQLiteFile(const std::string &path) {
    static constexpr char kHeader[] = "SQLite format 3";  // with its terminating zero: 16 bytes
    char start[sizeof kHeader] = {};
    std::ifstream file(path, std::ios::binary);
    return file.read(start, sizeof start) && std::memcmp(start, kHeader, sizeof kHeader) == 0;
}

}  // namespace tables
