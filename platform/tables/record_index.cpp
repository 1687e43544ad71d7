#include "platform/tables/record_index.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>

namespace tables {
namespace {

constexpr std::string_view kIndexPrefix = "records_k";

// The fields indexed in the file, from the names of its indexes.
std::vector<int> IndexedInFile(Connection &connection, const std::string &name) {
    Statement indexes =
        connection.Prepare("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'records'", name);
    std::vector<int> fields;
    while (connection.Step(indexes, name)) {
        const std::string index = reinterpret_cast<const char *>(sqlite3_column_text(indexes.get(), 0));
        if (index.rfind(kIndexPrefix, 0) == 0) fields.push_back(std::stoi(index.substr(kIndexPrefix.size())));
    }
    std::sort(fields.begin(), fields.end());
    return fields;
}

std::vector<int> Missing(const std::vector<int> &present, const TableStructure &structure) {
    std::vector<int> missing;
    std::set_difference(structure.indexedFields.begin(), structure.indexedFields.end(), present.begin(),
                        present.end(), std::back_inserter(missing));
    return missing;
}

// Fills the key columns of `fields` in every stored record. A record that does not decode keeps
// empty keys and stays as it is, to be reported damaged when read.
void FillKeys(Connection &connection, const std::string &name, const TableStructure &structure,
              const std::vector<int> &fields) {
    struct Keys {
        int64_t id;
        std::vector<FieldValue> values;
    };
    std::vector<Keys> keys;
    {
        Statement rows = connection.Prepare("SELECT id, data FROM records ORDER BY id", name);
        RecordView view;
        while (connection.Step(rows, name)) {
            view.Reset(static_cast<const uint8_t *>(sqlite3_column_blob(rows.get(), 1)),
                       static_cast<size_t>(sqlite3_column_bytes(rows.get(), 1)), structure);
            Keys record{sqlite3_column_int64(rows.get(), 0), std::vector<FieldValue>(fields.size())};
            bool whole = true;
            for (size_t i = 0; i < fields.size() && whole; ++i) whole = view.Read(fields[i], record.values[i]);
            if (whole) keys.push_back(std::move(record));
        }
    }
    std::string sql = "UPDATE records SET ";
    for (size_t i = 0; i < fields.size(); ++i)
        sql += (i ? ", " : "") + KeyColumn(fields[i]) + " = ?" + std::to_string(i + 2);
    Statement update = connection.Prepare(sql + " WHERE id = ?1", name);
    for (const Keys &record : keys) {
        sqlite3_bind_int64(update.get(), 1, record.id);
        for (size_t i = 0; i < fields.size(); ++i)
            BindKey(update.get(), static_cast<int>(i) + 2, structure.fieldTypes[fields[i]], record.values[i]);
        connection.Step(update, name);
        update.Reset();
    }
}

}  // namespace

std::string KeyColumn(int field) {
    return "k" + std::to_string(field);
}

void BindKey(sqlite3_stmt *statement, int param, FieldType type, const FieldValue &value) {
    if (value.isNull || (type == FieldType::Text && value.text.empty()))
        sqlite3_bind_null(statement, param);
    else if (type == FieldType::Text)
        sqlite3_bind_text(statement, param, value.text.data(), static_cast<int>(value.text.size()), SQLITE_STATIC);
    else
        sqlite3_bind_int(statement, param, value.number);
}

std::vector<int> EnsureIndexes(Connection &connection, const std::string &name, const TableStructure &structure) {
    std::vector<int> present = IndexedInFile(connection, name);
    if (Missing(present, structure).empty()) return present;
    connection.Exec("BEGIN IMMEDIATE", name);
    try {
        // Another program may have added them while this one waited for the write lock.
        present = IndexedInFile(connection, name);
        const std::vector<int> missing = Missing(present, structure);
        for (int field : missing) connection.Exec("ALTER TABLE records ADD COLUMN " + KeyColumn(field), name);
        if (!missing.empty()) FillKeys(connection, name, structure, missing);
        for (int field : missing)
            connection.Exec("CREATE INDEX records_k" + std::to_string(field) + " ON records(" + KeyColumn(field) + ")",
                            name);
        connection.Exec("COMMIT", name);
        present.insert(present.end(), missing.begin(), missing.end());
        std::sort(present.begin(), present.end());
    } catch (...) {
        sqlite3_exec(connection.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return present;
}

}  // namespace tables
