// Indexed fields: lookups follow every write (appends, edits, rollbacks), and a file written before
// the indexes existed gains them once, without losing a record.
#include <gtest/gtest.h>

#include "platform/runtime/errors.h"
#include "platform/tables/record_codec.h"
#include "platform/tables/sqlite_link.h"
#include "table_fixture.h"

using tables::TSession;
using tables::TTable;

namespace tables_test {
namespace {

using Numbers = std::vector<int>;

// A child table: field 1 the integer link, field 2 an indexed text, field 3 a plain text.
tables::TableStructure Indexed() {
    return tables::TableStructure::FromLetters("IitT");
}

std::string Hex(const std::string &bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

class IndexTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        session_.AddPassword(kJobPassword);
    }
    void Add(TTable &table, int link, const std::string &text) {
        table.Append();
        table.Fields[1].SetAsInteger(link);
        table.Fields[2].SetAsString(text);
        table.Fields[3].SetAsString("other " + text);
        table.Post();
    }
    TSession session_;
};

TEST_F(IndexTest, LookupsFollowAppendsEditsAndRollbacks) {
    TTable table(session_);
    Configure(table, "Child.db", Indexed());
    table.Open();
    Add(table, 7, "Hel");
    Add(table, 8, "Gdynia");
    Add(table, 7, "Hel");
    Add(table, 9, "");

    EXPECT_EQ(table.RecordsWith(1, 7), (Numbers{1, 3}));
    EXPECT_EQ(table.RecordsWith(1, 7, true, 1), (Numbers{3}));  // the later record first
    EXPECT_EQ(table.RecordsWith(2, "Hel"), (Numbers{1, 3}));
    EXPECT_EQ(table.RecordsWith(2, ""), (Numbers{4}));  // an empty field is found as empty
    EXPECT_EQ(table.RecordsWith(1, 5), Numbers{});

    // An edit moves the record's key; a field not assigned keeps its key.
    table.SetRecNo(1);
    table.Edit();
    table.Fields[2].SetAsString("Sopot");
    table.Post();
    table.SetRecNo(2);
    table.Edit();
    table.Fields[3].SetAsString("changed");
    table.Post();
    EXPECT_EQ(table.RecordsWith(2, "Hel"), (Numbers{3}));
    EXPECT_EQ(table.RecordsWith(2, "Sopot"), (Numbers{1}));
    EXPECT_EQ(table.RecordsWith(2, "Gdynia"), (Numbers{2}));
    EXPECT_EQ(table.RecordsWith(1, 8), (Numbers{2}));

    // Rolled back with the records they index.
    session_.StartTransaction({&table});
    Add(table, 7, "Hel");
    table.SetRecNo(3);
    table.Edit();
    table.Fields[2].SetAsString("");
    table.Post();
    EXPECT_EQ(table.RecordsWith(1, 7), (Numbers{1, 3, 5}));  // seen inside the transaction
    EXPECT_EQ(table.RecordsWith(2, ""), (Numbers{3, 4}));
    session_.Rollback();
    EXPECT_EQ(table.RecordsWith(1, 7), (Numbers{1, 3}));
    EXPECT_EQ(table.RecordsWith(2, "Hel"), (Numbers{3}));

    EXPECT_THROW(table.RecordsWith(3, "other Hel"), EDatabaseError);  // not indexed
    EXPECT_THROW(table.RecordsWith(1, "7"), EDatabaseError);          // a number field
    EXPECT_THROW(table.RecordsWith(2, 7), EDatabaseError);            // a text field
}

// A file keeps every index it has: a table opened without asking for one still keeps it current.
TEST_F(IndexTest, AnIndexOfTheFileIsKeptByEveryWriter) {
    {
        TTable table(session_);
        Configure(table, "Child.db", Indexed());
        table.Open();
        Add(table, 1, "Hel");
    }
    TSession other;
    other.AddPassword(kJobPassword);
    TTable plain(other);
    Configure(plain, "Child.db", tables::TableStructure::FromLetters("IITT"));
    plain.Open();
    Add(plain, 1, "Hel");
    EXPECT_EQ(plain.RecordsWith(1, 1), (Numbers{1, 2}));
    EXPECT_EQ(plain.RecordsWith(2, "Hel"), (Numbers{1, 2}));
}

// The file as the engine wrote it before it had indexes, made with that engine's own statements.
TEST_F(IndexTest, AFileWithoutIndexesGainsThemOnceAndKeepsEveryRecord) {
    const tables::TableStructure structure = Indexed();
    const tables::TableKey key = tables::DeriveTableKey(kJobPassword);
    {
        tables::Connection old(PathOf("Child.db"), "Child.db", key, true);
        old.Exec(
            "BEGIN IMMEDIATE;"
            "CREATE TABLE meta(name TEXT PRIMARY KEY, value TEXT NOT NULL);"
            "CREATE TABLE records(id INTEGER PRIMARY KEY, data BLOB NOT NULL);"
            "INSERT INTO meta VALUES('format', 'station table 1'), ('structure', 'IITT');COMMIT;",
            "Child.db");
        std::string inserts = "BEGIN;";
        for (int id = 1; id <= 300; ++id) {
            std::vector<tables::FieldValue> values(4);
            values[1] = {false, id % 10, {}};
            values[2] = {id % 3 == 0, 0, id % 3 == 0 ? "" : "place " + std::to_string(id % 7)};
            values[3] = {false, 0, "text " + std::to_string(id)};
            // Record 50 is damaged: its stored form does not decode.
            const std::string data = id == 50 ? std::string("\x00\x02\x7f", 3) : tables::EncodeRecord(structure, values);
            inserts += "INSERT INTO records(id, data) VALUES(" + std::to_string(id) + ", X'" + Hex(data) + "');";
        }
        old.Exec(inserts + "COMMIT;", "Child.db");
    }

    {
        TTable table(session_);
        Configure(table, "Child.db", structure);
        table.Open();
        ASSERT_EQ(table.RecordCount(), 300);
        int id = 1;
        for (table.First(); !table.Eof(); table.Next(), ++id) {
            if (id == 50) {
                EXPECT_THROW(table.Fields[3].AsString(), EDatabaseError);
                continue;
            }
            EXPECT_EQ(table.Fields[3].AsString(), "text " + std::to_string(id));
        }
        Numbers expected;
        for (int n = 1; n <= 300; ++n)
            if (n % 3 != 0 && n % 7 == 4) expected.push_back(n);
        EXPECT_EQ(table.RecordsWith(2, "place 4"), expected);
        EXPECT_EQ(table.RecordsWith(1, 3).size(), 30u);
        EXPECT_EQ(table.RecordsWith(1, 0).size(), 29u);  // all but the damaged record 50
        EXPECT_EQ(table.RecordsWith(2, "").size(), 101u);  // the damaged record has no keys
    }

    // Marked: the engine would refill a key only when it adds the index again.
    {
        tables::Connection raw(PathOf("Child.db"), "Child.db", key, false);
        raw.Exec("UPDATE records SET k1 = 99 WHERE id = 1", "Child.db");
    }
    TSession later;
    later.AddPassword(kJobPassword);
    TTable reopened(later);
    Configure(reopened, "Child.db", structure);
    reopened.Open();
    EXPECT_EQ(reopened.RecordsWith(1, 99), (Numbers{1}));
    Add(reopened, 3, "Hel");
    EXPECT_EQ(reopened.RecordsWith(1, 3, true, 1), (Numbers{301}));
}

TEST(TableStructureIndex, LowerCaseLettersMarkIndexedFields) {
    const tables::TableStructure structure = tables::TableStructure::FromLetters("IitbA");
    EXPECT_EQ(structure.indexedFields, (Numbers{1, 2, 3}));
    EXPECT_EQ(structure.Letters(), "IitbA");
    EXPECT_EQ(structure.TypeLetters(), "IITBA");
    EXPECT_THROW(tables::TableStructure::FromLetters("Ia"), EDatabaseError);
    tables::TableStructure marked = tables::TableStructure::FromLetters("ITA");
    marked.Index(1);
    marked.Index(1);
    EXPECT_EQ(marked.Letters(), "ItA");
    EXPECT_THROW(marked.Index(2), EDatabaseError);
}

}  // namespace
}  // namespace tables_test

namespace tables_test {
namespace {

// A held read keeps the file's state for the reader: a writer on another connection cannot commit
// until Close; the reader's own Post ends the hold and writes.
TEST_F(IndexTest, AHeldReadKeepsWritersOutUntilCloseOrPost) {
    TTable reader(session_);
    Configure(reader, "Child.db", Indexed());
    reader.Open();
    Add(reader, 1, "Hel");
    TSession other;
    other.AddPassword(kJobPassword);
    TTable writer(other);
    Configure(writer, "Child.db", Indexed());
    writer.Open();

    reader.HoldRead();
    std::vector<tables::FieldValue> record;
    reader.ReadRecord(record);
    ASSERT_EQ(record.size(), 4u);
    EXPECT_EQ(record[1].number, 1);
    EXPECT_EQ(record[2].text, "Hel");
    EXPECT_TRUE(record[0].isNull);
    writer.Append();
    writer.Fields[1].SetAsInteger(2);
    EXPECT_THROW(writer.Post(), EDatabaseError);  // locked

    Add(reader, 3, "Gdynia");  // ends the hold
    Add(writer, 2, "Sopot");
    reader.HoldRead();
    reader.Close();
    Add(writer, 4, "Hel");
    reader.HoldRead();  // from the next Open on
    reader.Open();
    EXPECT_EQ(reader.RecordCount(), 4);
    EXPECT_EQ(reader.RecordsWith(2, "Hel"), (Numbers{1, 4}));
    writer.Append();
    EXPECT_THROW(writer.Post(), EDatabaseError);
    reader.Close();
    Add(writer, 5, "Hel");
}

}  // namespace
}  // namespace tables_test
