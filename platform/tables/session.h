#pragma once
// The table engine's session: the passwords registered for the whole engine (a table opens with
// whichever registered password fits it) and the transaction that spans several tables.
//
// A transaction puts its tables on one connection (the first table's file as the main database,
// the others attached) with a rollback journal, so its commit is atomic across the files: a
// failure, a rollback or a killed process leaves every table as it was before the transaction.
// The session must outlive its tables.
#include <future>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/derivation_queue.h"
#include "platform/tables/key_derivation.h"
#include "platform/tables/table_file.h"

namespace tables {

class TTable;

class TSession {
public:
    TSession();
    ~TSession();  // rolls back an open transaction
    TSession(const TSession &) = delete;
    TSession &operator=(const TSession &) = delete;

    // Registers a password with the engine; its key is derived once per password, on a thread of
    // the engine's, and waited for when a table first needs it.
    void AddPassword(std::string_view password);
    // Starts deriving the key of `password` on a thread without registering it, so that a table
    // opened later finds the key ready.
    void DeriveAhead(std::string_view password) { Derivation(password); }

    // Begins a transaction over open tables (at most 11); their changes land together at Commit.
    // Closing and reopening one of them inside the transaction keeps it in the transaction.
    void StartTransaction(std::initializer_list<TTable *> tables);
    // A failed commit rolls everything back before raising EDatabaseError.
    void Commit();
    // Undoes every change of the transaction, pending changes of its tables included; without a
    // transaction it does nothing.
    void Rollback();
    bool InTransaction() const { return transaction_ != nullptr; }

private:
    friend class TTable;
    struct Transaction;

    std::shared_future<TableKey> &Derivation(std::string_view password);
    const TableKey &KeyOf(std::string_view password);
    // The keys to try on a file: the one that opened it before, then every registered one.
    std::vector<TableKey> CandidateKeys(const std::string &path);
    void RememberKey(const std::string &path, const TableKey &key) { fileKeys_[path] = key; }
    // The connection of a closed table is kept (idle, holding no lock) for the next Open of the
    // same file with the same structure, so reopening costs no file open and no check.
    void KeepConnection(const std::string &path, const std::string &letters, FileIdentity identity,
                        OpenedFile file);
    bool TakeConnection(const std::string &path, const std::string &letters, OpenedFile &file);
    // The connection and schema under which `path` takes part in the transaction, if it does.
    Connection *TransactionLink(const std::string &path, std::string &schema) const;
    void Link(TTable *table);
    void Unlink(TTable *table);
    void EndTransaction(bool rolledBack);

    std::map<std::string, std::shared_future<TableKey>, std::less<>> derived_;
    DerivationQueue derivations_;
    std::vector<std::string> registered_;  // passwords, in the order registered
    std::map<std::string, TableKey> fileKeys_;
    struct Kept {
        std::string letters;
        OpenedFile file;
        FileIdentity identity;
    };
    std::map<std::string, Kept> kept_;  // by file path
    std::unique_ptr<Transaction> transaction_;
};

// Rolls the transaction back when it leaves scope without Commit (an exception mid-way).
class TransactionScope {
public:
    TransactionScope(TSession &session, std::initializer_list<TTable *> tables);
    ~TransactionScope();
    TransactionScope(const TransactionScope &) = delete;
    TransactionScope &operator=(const TransactionScope &) = delete;
    void Commit();

private:
    TSession &session_;
    bool committed_ = false;
};

}  // namespace tables
