#pragma once
// A table object: one encrypted file named as the table, records in insertion order addressed
// by a 1-based record number, fields addressed by number and read or written as text, 32-bit
// integer or boolean (an empty field reads as "", 0 and false).
//
// Cursor: Open stands on the first record. First, Next, Last and setting RecNo take O(1) steps;
// Next past the last record and Last set Eof and keep the last record current. RecNo 0 means
// no current record (an empty table, or "before the first" when set to 0); reading fields there
// gives empty values. A record is checked whole when the cursor reaches it: when its stored form
// does not decode, or the engine reported a page of it failing its check, every read of a field
// raises "record N is damaged" (the cursor can still move past it). While a walk stands on a record it holds
// a read lock on the file, which writers on other connections wait for; Close, Edit, Post and reaching the
// end release it.
//
// Changes: Append starts a new empty record, Edit a change of the current one. A change is
// written only by Post (or CheckBrowseMode): Cancel, Close, moving the cursor and a new Append
// drop a pending change, so a half-filled record is never written later by accident. Post of an
// Edit writes only the fields that were assigned. The auto-numbered field gets its number at
// Post and cannot be written. Records are never deleted, so a record number, once given, stays.
//
// Lookups: the fields the structure marks indexed are kept in an index of the file, so the
// records holding a value are found without reading the others (RecordsWith).
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/key_derivation.h"
#include "platform/tables/record_codec.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/structure.h"
#include "platform/tables/table_file.h"

namespace tables {

class TSession;
class TTable;

// A stored value of a field of type `type` as text, as TField::AsString reads it.
std::string AsString(FieldType type, const FieldValue &value);

// Raised by every read of a damaged record: "<table>: record N is damaged".
class EDamagedRecord : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

class TField {
public:
    std::string AsString() const;
    int32_t AsInteger() const;  // a text field is converted with StrToInt (EConvertError)
    bool AsBoolean() const;
    bool IsNull() const;
    void SetAsString(std::string_view text) const;  // "" empties the field
    void SetAsInteger(int32_t value) const;
    void SetAsBoolean(bool value) const;

private:
    friend class TFields;
    TField(TTable &table, int index) : table_(table), index_(index) {}
    [[noreturn]] void TypeMismatch(const char *as) const;
    TTable &table_;
    int index_;
};

class TFields {
public:
    TField operator[](int index) const { return TField(table_, index); }

private:
    friend class TTable;
    explicit TFields(TTable &table) : table_(table) {}
    TTable &table_;
};

class TTable {
public:
    enum class State { Inactive, Browse, Edit, Append };

    explicit TTable(TSession &session);
    ~TTable();
    TTable(const TTable &) = delete;
    TTable &operator=(const TTable &) = delete;

    // The file, relative to the working directory ("GenData.db"); set while the table is closed.
    const std::string &TableName() const { return tableName_; }
    void SetTableName(const std::string &name);
    // The file's absolute path, fixed at Open (empty before the first Open).
    const std::string &Path() const { return path_; }
    // The identity of the file Open opened last.
    const FileIdentity &Identity() const { return identity_; }
    // The key that opened the file (after the first Open).
    const TableKey &Key() const { return key_; }
    // The field structure the file must have; a missing file is created with it.
    const TableStructure &Structure() const { return structure_; }
    void SetStructure(const TableStructure &structure);
    // The password a missing file is created with; without it a missing file is an error.
    void SetNewFilePassword(std::string_view password);
    // The password the file is expected to be keyed with: its key is tried first, before the
    // registered ones (every key that does not fit costs the engine a file open and a failed read).
    void SetExpectedPassword(std::string_view password) { expectedPassword_ = password; }

    bool Active() const { return active_; }
    void SetActive(bool active) { active ? Open() : Close(); }
    void Open();   // does nothing when open
    void Close();  // does nothing when closed

    void First();
    void Next();
    void Last();
    bool Eof() const { return eof_; }
    int RecNo() const;
    void SetRecNo(int recNo);  // 0..RecordCount, else EDatabaseError
    int RecordCount();

    void Append();
    void Edit();  // EDatabaseError when there is no current record
    void Post();  // EDatabaseError when nothing is pending
    void Cancel();
    void CheckBrowseMode();  // posts a pending change, if any
    State GetState() const { return state_; }

    // The numbers of the records whose indexed field `field` holds `value` ("" or none: the records
    // where it is empty), ascending, or descending with `fromLast`, at most `limit` of them. The
    // cursor does not move. EDatabaseError when the field is not indexed or is of the other kind
    // (text for a Text field, a number for an Integer or Boolean one).
    std::vector<int> RecordsWith(int field, std::string_view text, bool fromLast = false,
                                 int limit = INT_MAX);
    std::vector<int> RecordsWith(int field, int32_t number, bool fromLast = false, int limit = INT_MAX);

    // Every field of the current record (of the pending one while appending or editing) at once;
    // without a current record all are empty. A damaged record raises as a field read does.
    void ReadRecord(std::vector<FieldValue> &values);

    // Keeps one read of the file open until Close, Post or a damaged record: every step and lookup
    // until then sees the same state and takes no lock of its own (a reader of several records
    // saves a lock and a check of the file per step). Writers on other connections wait meanwhile.
    // On a closed table the read starts with the next Open, which then takes no lock of its own
    // either. Does nothing inside a transaction.
    void HoldRead();
    // Ends a held read and a running walk, so that the open table holds no lock of the file.
    void EndRead();
    // Whether the table's path still names the file that Open opened (false once another program
    // has put a different file there, e.g. a copy restored from a backup).
    bool SameFile() const;

    TFields Fields{*this};

private:
    friend class TField;
    friend class TSession;

    void RequireActive() const;
    void CheckField(int index) const;
    const FieldValue &Value(int index);
    void Assign(int index, FieldValue value);
    [[noreturn]] void Damaged() const;

    Connection &Link() const { return *link_; }
    std::string Table() const { return schema_ + ".records"; }
    Statement &Prepared(Statement &statement, const char *head, const std::string &tail);
    std::vector<int> Lookup(int field, const FieldValue &value, bool fromLast, int limit);
    void ResetStatements();
    int QueryCount();
    int Count();
    bool StepTo(int recNo);
    bool Intact(RecordView &view);
    bool LoadRow();
    void ReleaseScan();
    void EndHold();
    void DropPending();
    void PostAppend();
    void PostEdit();
    void Write(Statement &statement, int recNo, const std::vector<FieldValue> &values);

    // Called by the session when a transaction takes the table over and when it ends.
    void JoinTransaction(Connection &connection, const std::string &schema);
    void LeaveTransaction(bool rolledBack);

    TSession &session_;
    std::string tableName_;
    std::string path_;  // absolute, fixed at Open
    TableStructure structure_;
    std::string letters_;  // the structure as its letters, the key of kept connections
    std::string newFilePassword_;
    std::string expectedPassword_;

    bool active_ = false;
    State state_ = State::Inactive;
    std::unique_ptr<Connection> own_;
    Connection *link_ = nullptr;  // own_ or the transaction's connection
    std::string schema_ = "main";
    bool inTransaction_ = false;
    bool holding_ = false;     // a read held by HoldRead
    int heldCount_ = -1;       // the record count seen in the held read, once asked
    bool holdAtOpen_ = false;  // HoldRead before Open
    TableKey key_{};
    FileIdentity identity_;       // of the file opened
    std::vector<int> keyFields_;  // the fields the file indexes

    TableStatements statements_;  // on the current connection
    TableStatements parked_;      // on the own connection, while a transaction has the table
    int scanAt_ = 0;              // the record rows_ stands on, 0 for none
    RecordView view_;
    bool damaged_ = false;     // the record rows_ stood on last is damaged
    int probedAtMisses_ = -1;  // the connection's page reads from the file at its last good probe
    FieldValue readValue_;
    int recNo_ = 0;
    bool eof_ = true;

    std::vector<FieldValue> buffer_;  // the pending record
    std::vector<char> assigned_;      // fields written since Append/Edit
};

}  // namespace tables
