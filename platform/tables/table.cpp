#include "platform/tables/table.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/runtime/errors.h"
#include "platform/tables/record_index.h"
#include "platform/tables/session.h"
#include "platform/tables/table_file.h"

namespace tables {
namespace {

// Groups the statements of one Post: a transaction of its own outside a session transaction,
// a savepoint inside one. Without Commit the write is undone.
class WriteScope {
public:
    WriteScope(Connection &connection, const std::string &name, bool nested)
        : connection_(connection), name_(name), nested_(nested) {
        connection_.Exec(nested_ ? "SAVEPOINT post" : "BEGIN IMMEDIATE", name_);
    }
    ~WriteScope() {
        if (!done_)
            sqlite3_exec(connection_.Handle(), nested_ ? "ROLLBACK TO post; RELEASE post" : "ROLLBACK",
                         nullptr, nullptr, nullptr);
    }
    void Commit() {
        connection_.Exec(nested_ ? "RELEASE post" : "COMMIT", name_);
        done_ = true;
    }

private:
    Connection &connection_;
    const std::string &name_;
    bool nested_;
    bool done_ = false;
};

// Joins `item`(column, parameter) over the key columns, bound from parameter 3 on (after the record
// number and the stored record).
template <class Item>
std::string EachKey(const std::vector<int> &keyFields, Item item) {
    std::string sql;
    for (size_t i = 0; i < keyFields.size(); ++i)
        sql += item(KeyColumn(keyFields[i]), "?" + std::to_string(i + 3));
    return sql;
}

}  // namespace

TTable::TTable(TSession &session) : session_(session) {}

TTable::~TTable() {
    Close();
}

void TTable::SetTableName(const std::string &name) {
    if (active_) throw EDatabaseError(tableName_ + ": cannot rename an open table");
    tableName_ = name;
}

void TTable::SetStructure(const TableStructure &structure) {
    if (active_) throw EDatabaseError(tableName_ + ": cannot change the structure of an open table");
    structure_ = structure;
    letters_ = structure_.Letters();
}

void TTable::SetNewFilePassword(std::string_view password) {
    newFilePassword_ = password;
}

void TTable::Open() {
    if (active_) return;
    const bool hold = std::exchange(holdAtOpen_, false);
    if (tableName_.empty()) throw EDatabaseError("a table without a name cannot be opened");
    if (structure_.FieldCount() == 0) throw EDatabaseError(tableName_ + ": the table has no field structure");
    const std::string path = std::filesystem::absolute(tableName_).lexically_normal().string();
    OpenedFile opened;
    if (!session_.TakeConnection(path, letters_, opened)) {
        const TableKey *newFileKey = newFilePassword_.empty() ? nullptr : &session_.KeyOf(newFilePassword_);
        std::vector<TableKey> keys = session_.CandidateKeys(path);
        if (!expectedPassword_.empty()) {
            const TableKey &expected = session_.KeyOf(expectedPassword_);
            keys.erase(std::remove(keys.begin(), keys.end(), expected), keys.end());
            keys.insert(keys.begin(), expected);
        }
        opened = OpenTableFile(path, tableName_, structure_, keys, newFileKey);
        session_.RememberKey(path, opened.key);
    }
    path_ = path;
    identity_ = IdentityOf(path).value_or(FileIdentity{});
    key_ = opened.key;
    keyFields_ = opened.keyFields;
    own_ = std::move(opened.connection);
    statements_ = std::move(opened.statements);
    std::string schema;
    if (Connection *shared = session_.TransactionLink(path_, schema)) {
        JoinTransaction(*shared, schema);
    } else {
        link_ = own_.get();
        schema_ = "main";
    }
    active_ = true;
    state_ = State::Browse;
    probedAtMisses_ = -1;
    try {
        if (hold) HoldRead();
        // On the first record, read when a field is; no read lock is taken yet.
        const int count = Count();
        recNo_ = count > 0 ? 1 : 0;
        eof_ = count == 0;
    } catch (...) {
        Close();
        throw;
    }
}

void TTable::Close() {
    if (!active_) return;
    DropPending();
    ResetStatements();
    EndHold();
    if (inTransaction_) {
        session_.Unlink(this);
        statements_ = std::move(parked_);
    }
    inTransaction_ = false;
    link_ = nullptr;
    session_.KeepConnection(path_, letters_, identity_,
                            OpenedFile{std::move(own_), key_, keyFields_, std::move(statements_)});
    statements_ = {};
    parked_ = {};
    active_ = false;
    state_ = State::Inactive;
    recNo_ = 0;
    eof_ = true;
}

void TTable::RequireActive() const {
    if (!active_) throw EDatabaseError(tableName_ + ": the table is not open");
}

// A statement of this table on its current connection, prepared on first use.
Statement &TTable::Prepared(Statement &statement, const char *head, const std::string &tail) {
    if (!statement) statement = Link().Prepare(head + Table() + tail, tableName_);
    return statement;
}

void TTable::ResetStatements() {
    for (Statement *statement :
         {&statements_.rows, &statements_.count, &statements_.read, &statements_.insert, &statements_.update})
        statement->Reset();
    for (auto &[key, statement] : statements_.lookups) statement.Reset();
    scanAt_ = 0;
}

int TTable::QueryCount() {
    Link().Step(Prepared(statements_.count, "SELECT max(id) FROM ", ""), tableName_);
    const int count = sqlite3_column_int(statements_.count.get(), 0);
    statements_.count.Reset();
    return count;
}

// The record count; a held read sees no other writer, so it asks the file once.
int TTable::Count() {
    if (!holding_) return QueryCount();
    if (heldCount_ < 0) heldCount_ = QueryCount();
    return heldCount_;
}

// Makes record `recNo` current; false when there is no such record. Stepping to the record after
// the current one continues the running scan, so a walk costs one step per record.
bool TTable::StepTo(int recNo) {
    Prepared(statements_.rows, "SELECT id, data FROM ", " WHERE id >= ?1 ORDER BY id");
    if (scanAt_ == 0 || recNo != scanAt_ + 1) {
        statements_.rows.Reset();
        sqlite3_bind_int(statements_.rows.get(), 1, recNo);
    }
    scanAt_ = 0;
    if (!Link().Step(statements_.rows, tableName_) ||
        sqlite3_column_int(statements_.rows.get(), 0) != recNo) {
        ReleaseScan();
        return false;
    }
    recNo_ = recNo;
    view_.Reset(static_cast<const uint8_t *>(sqlite3_column_blob(statements_.rows.get(), 1)),
                static_cast<size_t>(sqlite3_column_bytes(statements_.rows.get(), 1)), structure_);
    scanAt_ = recNo;
    damaged_ = !Intact(view_);
    // The engine keeps failing this connection until the read ends; the next read starts afresh.
    if (damaged_) {
        ReleaseScan();
        EndHold();
    }
    return true;
}

// Whether the record just read decodes whole and its pages passed the engine's check. A page that
// fails its check is handed out zeroed and the row still comes back; the engine only marks the
// connection failed, so that the next statement on it fails. Pages are checked only as they come
// from the file, so when the connection read none since the last probe there is nothing to ask.
bool TTable::Intact(RecordView &view) {
    if (!view.Whole()) return false;
    int misses = -1, highest = 0;
    if (sqlite3_db_status(Link().Handle(), SQLITE_DBSTATUS_CACHE_MISS, &misses, &highest, 0) != SQLITE_OK)
        misses = -1;
    if (misses >= 0 && misses == probedAtMisses_) return true;
    try {
        QueryCount();
    } catch (const EDatabaseError &) {
        probedAtMisses_ = -1;
        return false;
    }
    probedAtMisses_ = misses;
    return true;
}

void TTable::HoldRead() {
    if (!active_) {
        holdAtOpen_ = true;
        return;
    }
    if (holding_ || inTransaction_) return;
    // Both prepared here, so that ending the read never has to prepare anything.
    if (!statements_.begin) statements_.begin = own_->Prepare("BEGIN", tableName_);
    if (!statements_.commit) statements_.commit = own_->Prepare("COMMIT", tableName_);
    own_->Step(statements_.begin, tableName_);
    statements_.begin.Reset();
    holding_ = true;
    heldCount_ = -1;
}

void TTable::EndRead() {
    ReleaseScan();
    EndHold();
}

bool TTable::SameFile() const {
    return active_ && IdentityOf(path_) == identity_;
}

// Ends the held read; its statements are reset first, so that nothing keeps the read open.
void TTable::EndHold() {
    if (!holding_) return;
    holding_ = false;
    ReleaseScan();
    // A read ends whatever its statements met; a failed end leaves nothing to undo.
    sqlite3_step(statements_.commit.get());
    sqlite3_reset(statements_.commit.get());
}

// Ends the running scan, which releases the file's read lock.
void TTable::ReleaseScan() {
    statements_.rows.Reset();
    scanAt_ = 0;
}

bool TTable::LoadRow() {
    if (scanAt_ == 0 || scanAt_ != recNo_) {
        if (recNo_ == 0) return false;
        if (!StepTo(recNo_))
            throw EDatabaseError(tableName_ + ": record " + std::to_string(recNo_) + " is missing");
    }
    if (damaged_) Damaged();
    return true;
}

void TTable::First() {
    RequireActive();
    DropPending();
    recNo_ = 0;
    eof_ = !StepTo(1);
}

void TTable::Next() {
    RequireActive();
    DropPending();
    eof_ = !StepTo(recNo_ + 1);
}

void TTable::Last() {
    RequireActive();
    DropPending();
    ReleaseScan();
    recNo_ = Count();
    eof_ = true;
}

int TTable::RecNo() const {
    RequireActive();
    return state_ == State::Append ? 0 : recNo_;
}

void TTable::SetRecNo(int recNo) {
    RequireActive();
    DropPending();
    const int count = Count();
    if (recNo < 0 || recNo > count)
        throw EDatabaseError(tableName_ + ": record number " + std::to_string(recNo) +
                             " is out of range (1.." + std::to_string(count) + ")");
    if (recNo != scanAt_) ReleaseScan();
    recNo_ = recNo;
    eof_ = count == 0;
}

int TTable::RecordCount() {
    RequireActive();
    return Count();
}

void TTable::DropPending() {
    if (state_ == State::Edit || state_ == State::Append) state_ = State::Browse;
    buffer_.clear();
    assigned_.clear();
}

void TTable::Append() {
    RequireActive();
    DropPending();
    buffer_.assign(structure_.FieldCount(), FieldValue{});
    assigned_.assign(structure_.FieldCount(), 0);
    state_ = State::Append;
}

void TTable::Edit() {
    RequireActive();
    if (state_ != State::Browse) return;
    if (!LoadRow()) throw EDatabaseError(tableName_ + ": there is no current record to edit");
    view_.ReadAll(buffer_);
    ReleaseScan();  // the edit works on its copy; others may write meanwhile
    if (structure_.autoNumberField >= 0) buffer_[structure_.autoNumberField] = {false, recNo_, {}};
    assigned_.assign(structure_.FieldCount(), 0);
    state_ = State::Edit;
}

void TTable::Cancel() {
    RequireActive();
    DropPending();
}

void TTable::CheckBrowseMode() {
    RequireActive();
    if (state_ != State::Browse) Post();
}

void TTable::Post() {
    RequireActive();
    if (state_ == State::Browse)
        throw EDatabaseError(tableName_ + ": there is no appended or edited record to post");
    // A write on this connection must not run beside the open scan.
    ReleaseScan();
    EndHold();
    if (state_ == State::Append)
        PostAppend();
    else
        PostEdit();
    DropPending();
}

void TTable::PostAppend() {
    WriteScope scope(Link(), tableName_, inTransaction_);
    const int recNo = QueryCount() + 1;
    if (structure_.autoNumberField >= 0) buffer_[structure_.autoNumberField] = FieldValue{};
    Write(
        Prepared(statements_.insert, "INSERT INTO ",
                 "(id, data" +
                     EachKey(keyFields_, [](const auto &column, const auto &) { return ", " + column; }) +
                     ") VALUES(?1, ?2" +
                     EachKey(keyFields_, [](const auto &, const auto &param) { return ", " + param; }) + ")"),
        recNo, buffer_);
    scope.Commit();
    recNo_ = recNo;
    eof_ = false;
}

// Writes only the assigned fields into the record as it is now stored.
void TTable::PostEdit() {
    WriteScope scope(Link(), tableName_, inTransaction_);
    sqlite3_bind_int(Prepared(statements_.read, "SELECT data FROM ", " WHERE id = ?1").get(), 1, recNo_);
    if (!Link().Step(statements_.read, tableName_))
        throw EDatabaseError(tableName_ + ": record " + std::to_string(recNo_) + " is missing");
    std::vector<FieldValue> stored;
    RecordView view;
    view.Reset(static_cast<const uint8_t *>(sqlite3_column_blob(statements_.read.get(), 0)),
               static_cast<size_t>(sqlite3_column_bytes(statements_.read.get(), 0)), structure_);
    const bool intact = Intact(view) && view.ReadAll(stored);
    statements_.read.Reset();
    if (!intact) Damaged();
    for (int field = 0; field < structure_.FieldCount(); ++field)
        if (assigned_[field]) stored[field] = buffer_[field];
    Write(Prepared(statements_.update, "UPDATE ",
                   " SET data = ?2" +
                       EachKey(keyFields_, [](const auto &column,
                                              const auto &param) { return ", " + column + " = " + param; }) +
                       " WHERE id = ?1"),
          recNo_, stored);
    scope.Commit();
}

// Runs the insert or the update of one stored record, its key columns filled from its fields.
void TTable::Write(Statement &statement, int recNo, const std::vector<FieldValue> &values) {
    const std::string data = EncodeRecord(structure_, values);
    sqlite3_bind_int(statement.get(), 1, recNo);
    sqlite3_bind_blob(statement.get(), 2, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
    for (size_t i = 0; i < keyFields_.size(); ++i) {
        const int field = keyFields_[i];
        BindKey(statement.get(), static_cast<int>(i) + 3, structure_.fieldTypes[field], values[field]);
    }
    Link().Step(statement, tableName_);
    statement.Reset();
}

std::vector<int> TTable::RecordsWith(int field, std::string_view text, bool fromLast, int limit) {
    CheckField(field);
    if (structure_.fieldTypes[field] != FieldType::Text)
        throw EDatabaseError(tableName_ + ": field " + std::to_string(field) + " holds no text");
    return Lookup(field, FieldValue{text.empty(), 0, std::string(text)}, fromLast, limit);
}

std::vector<int> TTable::RecordsWith(int field, int32_t number, bool fromLast, int limit) {
    CheckField(field);
    if (structure_.fieldTypes[field] == FieldType::Text)
        throw EDatabaseError(tableName_ + ": field " + std::to_string(field) + " holds text, not a number");
    return Lookup(field, FieldValue{false, number, {}}, fromLast, limit);
}

std::vector<int> TTable::Lookup(int field, const FieldValue &value, bool fromLast, int limit) {
    if (!std::binary_search(keyFields_.begin(), keyFields_.end(), field))
        throw EDatabaseError(tableName_ + ": field " + std::to_string(field) + " is not indexed");
    Statement &lookup = Prepared(
        statements_.lookups[2 * field + (fromLast ? 1 : 0)], "SELECT id FROM ",
        " WHERE " + KeyColumn(field) + " IS ?1 ORDER BY id" + (fromLast ? " DESC" : "") + " LIMIT ?2");
    BindKey(lookup.get(), 1, structure_.fieldTypes[field], value);
    sqlite3_bind_int(lookup.get(), 2, limit);
    std::vector<int> found;
    try {
        while (Link().Step(lookup, tableName_)) found.push_back(sqlite3_column_int(lookup.get(), 0));
    } catch (...) {
        lookup.Reset();
        throw;
    }
    lookup.Reset();
    return found;
}

void TTable::CheckField(int index) const {
    RequireActive();
    if (index < 0 || index >= structure_.FieldCount())
        throw EDatabaseError(tableName_ + ": there is no field " + std::to_string(index));
}

const FieldValue &TTable::Value(int index) {
    CheckField(index);
    if (state_ != State::Browse) return buffer_[index];
    // Cleared in place: the text keeps its room for the next field read.
    readValue_.isNull = true;
    readValue_.number = 0;
    readValue_.text.clear();
    if (!LoadRow()) return readValue_;
    if (index == structure_.autoNumberField) {
        readValue_.isNull = false;
        readValue_.number = recNo_;
    } else {
        view_.Read(index, readValue_);
    }
    return readValue_;
}

void TTable::ReadRecord(std::vector<FieldValue> &values) {
    RequireActive();
    if (state_ != State::Browse) {
        values = buffer_;
        return;
    }
    values.assign(static_cast<size_t>(structure_.FieldCount()), FieldValue{});
    if (!LoadRow()) return;
    if (!view_.ReadAll(values)) Damaged();
    if (structure_.autoNumberField >= 0) values[structure_.autoNumberField] = {false, recNo_, {}};
}

void TTable::Assign(int index, FieldValue value) {
    CheckField(index);
    if (state_ == State::Browse)
        throw EDatabaseError(tableName_ + ": the table is not in edit or append mode");
    if (index == structure_.autoNumberField)
        throw EDatabaseError(tableName_ + ": field " + std::to_string(index) + " is numbered by the table");
    if (structure_.fieldTypes[index] == FieldType::Text && value.text.empty()) value.isNull = true;
    buffer_[index] = std::move(value);
    assigned_[index] = 1;
}

void TTable::Damaged() const {
    throw EDamagedRecord(tableName_ + ": record " + std::to_string(recNo_) + " is damaged");
}

void TTable::JoinTransaction(Connection &connection, const std::string &schema) {
    ResetStatements();
    EndHold();
    parked_ = std::move(statements_);
    statements_ = {};
    link_ = &connection;
    schema_ = schema;
    probedAtMisses_ = -1;
    inTransaction_ = true;
    session_.Link(this);
}

void TTable::LeaveTransaction(bool rolledBack) {
    ResetStatements();
    statements_ = std::move(parked_);
    parked_ = {};
    link_ = own_.get();
    schema_ = "main";
    probedAtMisses_ = -1;
    inTransaction_ = false;
    if (!rolledBack) return;
    // Records appended in the transaction are gone: stand on the last one that stayed.
    DropPending();
    try {
        const int count = QueryCount();
        if (recNo_ > count) {
            recNo_ = count;
            eof_ = true;
        }
    } catch (const EDatabaseError &) {
        recNo_ = 0;
        eof_ = true;
    }
}

}  // namespace tables
