#include "platform/tables/session.h"

#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>

#include "platform/runtime/errors.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/table.h"

namespace tables {
namespace {

// The engine attaches at most ten files to one connection.
constexpr size_t kMaxTransactionTables = 11;

}  // namespace

struct TSession::Transaction {
    std::unique_ptr<Connection> connection;
    std::map<std::string, std::string> schemas;  // file path -> schema on the connection
    std::vector<TTable *> linked;                // open tables working on the connection
    std::string names;                           // the tables, for messages
};

TSession::TSession() = default;

TSession::~TSession() {
    Rollback();
}

// Kept under the identity of the file the connection opened, which the path may no longer name.
void TSession::KeepConnection(const std::string &path, const std::string &letters, FileIdentity identity,
                              OpenedFile file) {
    kept_.insert_or_assign(path, Kept{letters, std::move(file), identity});
}

// Only while the path still names the same file holding something: a file replaced or emptied on
// disk is opened afresh.
bool TSession::TakeConnection(const std::string &path, const std::string &letters, OpenedFile &file) {
    auto found = kept_.find(path);
    if (found == kept_.end()) return false;
    Kept kept = std::move(found->second);
    kept_.erase(found);
    struct stat status {};
    if (kept.letters != letters || IdentityOf(path) != kept.identity || stat(path.c_str(), &status) != 0 ||
        status.st_size == 0)
        return false;
    file = std::move(kept.file);
    return true;
}

// Each password's key is queued for the derivation threads when the password is first named
// (registering the program's passwords at start-up does not hold up the window); the first table
// that needs the key derives it itself if no thread has taken it up yet, or waits for it, and a
// failed derivation raises its error there.
std::shared_future<TableKey> &TSession::Derivation(std::string_view password) {
    auto found = derived_.find(password);
    if (found == derived_.end())
        found = derived_.emplace(std::string(password), derivations_.Add(std::string(password))).first;
    return found->second;
}

const TableKey &TSession::KeyOf(std::string_view password) {
    std::shared_future<TableKey> &key = Derivation(password);
    if (key.wait_for(std::chrono::seconds(0)) != std::future_status::ready) derivations_.TakeUp(password);
    return key.get();
}

void TSession::AddPassword(std::string_view password) {
    Derivation(password);
    if (std::find(registered_.begin(), registered_.end(), password) == registered_.end())
        registered_.emplace_back(password);
}

std::vector<TableKey> TSession::CandidateKeys(const std::string &path) {
    std::vector<TableKey> keys;
    if (auto known = fileKeys_.find(path); known != fileKeys_.end()) keys.push_back(known->second);
    for (const std::string &password : registered_) {
        const TableKey &key = KeyOf(password);
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
    return keys;
}

void TSession::StartTransaction(std::initializer_list<TTable *> tables) {
    if (transaction_) throw EDatabaseError("a transaction is already running");
    if (tables.size() == 0 || tables.size() > kMaxTransactionTables)
        throw EDatabaseError("a transaction takes 1 to " + std::to_string(kMaxTransactionTables) + " tables");
    auto transaction = std::make_unique<Transaction>();
    for (TTable *table : tables) {
        table->RequireActive();
        if (transaction->schemas.count(table->path_))
            throw EDatabaseError(table->TableName() + ": the table is named twice in the transaction");
        const std::string schema =
            transaction->schemas.empty() ? "main" : "t" + std::to_string(transaction->schemas.size());
        if (!transaction->connection)
            transaction->connection =
                std::make_unique<Connection>(table->path_, table->TableName(), table->key_, false);
        else
            transaction->connection->Attach(table->path_, table->TableName(), schema, table->key_);
        transaction->schemas[table->path_] = schema;
        transaction->names += (transaction->names.empty() ? "" : ", ") + table->TableName();
    }
    transaction_ = std::move(transaction);
    for (TTable *table : tables)
        table->JoinTransaction(*transaction_->connection, transaction_->schemas[table->path_]);
    try {
        transaction_->connection->Exec("BEGIN IMMEDIATE", transaction_->names);
    } catch (...) {
        EndTransaction(false);
        throw;
    }
}

void TSession::Commit() {
    if (!transaction_) throw EDatabaseError("there is no transaction to commit");
    for (TTable *table : transaction_->linked) table->ResetStatements();
    try {
        transaction_->connection->Exec("COMMIT", transaction_->names);
    } catch (...) {
        Rollback();
        throw;
    }
    EndTransaction(false);
}

void TSession::Rollback() {
    if (!transaction_) return;
    for (TTable *table : transaction_->linked) table->ResetStatements();
    sqlite3_exec(transaction_->connection->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    EndTransaction(true);
}

void TSession::EndTransaction(bool rolledBack) {
    std::unique_ptr<Transaction> transaction = std::move(transaction_);
    for (TTable *table : transaction->linked) table->LeaveTransaction(rolledBack);
}

Connection *TSession::TransactionLink(const std::string &path, std::string &schema) const {
    if (!transaction_) return nullptr;
    auto found = transaction_->schemas.find(path);
    if (found == transaction_->schemas.end()) return nullptr;
    schema = found->second;
    return transaction_->connection.get();
}

void TSession::Link(TTable *table) {
    transaction_->linked.push_back(table);
}

void TSession::Unlink(TTable *table) {
    if (!transaction_) return;
    auto &linked = transaction_->linked;
    linked.erase(std::remove(linked.begin(), linked.end(), table), linked.end());
}

TransactionScope::TransactionScope(TSession &session, std::initializer_list<TTable *> tables)
    : session_(session) {
    session_.StartTransaction(tables);
}

TransactionScope::~TransactionScope() {
    if (!committed_) session_.Rollback();
}

void TransactionScope::Commit() {
    session_.Commit();
    committed_ = true;
}

}  // namespace tables
