#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/runtime/errors.h"
#include "table_fixture.h"

using tables::TSession;
using tables::TTable;

namespace tables_test {
namespace {

class TableCursorTest : public TableTest {
protected:
    // Appends jobs whose field 7 is "serial <n>" and field 41 is n, n = 1..count.
    void AppendJobs(TTable &table, int count) {
        for (int n = 1; n <= count; ++n) {
            table.Append();
            table.Fields[7].SetAsString("serial " + std::to_string(n));
            table.Fields[41].SetAsInteger(n);
            table.Post();
        }
    }
    TSession session_;
};

TEST_F(TableCursorTest, CreatesMissingTableAndNumbersPostedRecordsFromOne) {
    session_.AddPassword(kJobPassword);
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    EXPECT_TRUE(jobs.Active());
    EXPECT_EQ(jobs.RecordCount(), 0);
    EXPECT_TRUE(jobs.Eof());
    EXPECT_EQ(jobs.RecNo(), 0);

    jobs.Append();
    EXPECT_EQ(jobs.Fields[40].AsInteger(), 0);  // numbered only at Post
    jobs.Fields[3].SetAsString("2024-05-06");
    jobs.Fields[5].SetAsInteger(-7);
    jobs.Fields[19].SetAsBoolean(true);
    jobs.Fields[21].SetAsString("Firma \"Żuk\"\r\nul. Długa 1\r\n");
    jobs.Post();
    EXPECT_EQ(jobs.RecNo(), 1);
    EXPECT_EQ(jobs.Fields[40].AsInteger(), 1);
    AppendJobs(jobs, 2);
    EXPECT_EQ(jobs.Fields[40].AsInteger(), 3);
    jobs.Close();
    jobs.Close();  // closing twice is harmless

    TSession later;
    later.AddPassword(kJobPassword);
    TTable reopened(later);
    reopened.SetTableName(PathOf("GenData.db"));
    reopened.SetStructure(GenDataStructure());
    reopened.Open();
    reopened.Open();  // opening twice is harmless
    ASSERT_EQ(reopened.RecordCount(), 3);
    EXPECT_EQ(reopened.RecNo(), 1);
    EXPECT_EQ(reopened.Fields[3].AsString(), "2024-05-06");
    EXPECT_EQ(reopened.Fields[5].AsInteger(), -7);
    EXPECT_TRUE(reopened.Fields[19].AsBoolean());
    EXPECT_EQ(reopened.Fields[21].AsString(), "Firma \"Żuk\"\r\nul. Długa 1\r\n");
    std::vector<int> numbers;
    for (reopened.First(); !reopened.Eof(); reopened.Next())
        numbers.push_back(reopened.Fields[40].AsInteger());
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
}

TEST_F(TableCursorTest, EmptyFieldsReadAsEmptyZeroAndFalse) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    jobs.Append();
    jobs.Post();
    for (int field : {3, 242}) EXPECT_EQ(jobs.Fields[field].AsString(), "");
    EXPECT_EQ(jobs.Fields[3].AsInteger(), 0);
    EXPECT_EQ(jobs.Fields[47].AsInteger(), 0);
    EXPECT_EQ(jobs.Fields[47].AsString(), "");
    EXPECT_TRUE(jobs.Fields[47].IsNull());
    EXPECT_FALSE(jobs.Fields[19].AsBoolean());
    EXPECT_EQ(jobs.Fields[19].AsString(), "");
}

TEST_F(TableCursorTest, FieldsConvertBetweenTextAndNumbers) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    jobs.Append();
    jobs.Fields[42].SetAsInteger(12);   // text field
    jobs.Fields[48].SetAsString("34");  // integer field
    jobs.Fields[20].SetAsString("true");
    jobs.Fields[6].SetAsString("");
    jobs.Post();
    EXPECT_EQ(jobs.Fields[42].AsString(), "12");
    EXPECT_EQ(jobs.Fields[42].AsInteger(), 12);
    EXPECT_EQ(jobs.Fields[48].AsInteger(), 34);
    EXPECT_EQ(jobs.Fields[48].AsString(), "34");
    EXPECT_EQ(jobs.Fields[20].AsString(), "True");
    EXPECT_TRUE(jobs.Fields[6].IsNull());
}

TEST_F(TableCursorTest, MisuseRaisesDatabaseErrorsNamingTheTable) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    EXPECT_THROW(jobs.First(), EDatabaseError);  // not open
    jobs.Open();
    AppendJobs(jobs, 1);
    jobs.Append();
    jobs.Fields[7].SetAsString("x");
    jobs.Cancel();
    const auto expectError = [&](auto action) {
        try {
            action();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError &error) {
            EXPECT_NE(std::string(error.what()).find("GenData.db"), std::string::npos) << error.what();
        }
    };
    expectError([&] { jobs.Fields[7].SetAsString("not in edit mode"); });
    expectError([&] { jobs.Post(); });
    expectError([&] { jobs.Fields[244].AsString(); });
    expectError([&] { jobs.Fields[-1].AsString(); });
    expectError([&] { jobs.SetRecNo(2); });
    expectError([&] { jobs.SetRecNo(-1); });
    expectError([&] { jobs.Fields[19].AsInteger(); });
    expectError([&] { jobs.Fields[7].AsBoolean(); });
    expectError([&] { jobs.SetTableName("other.db"); });
    jobs.Append();
    expectError([&] { jobs.Fields[40].SetAsInteger(5); });  // auto-numbered
    EXPECT_THROW(jobs.Fields[48].SetAsString("abc"), EConvertError);
    EXPECT_THROW(jobs.Fields[19].SetAsString("yes"), EConvertError);
    jobs.Fields[7].SetAsString("12x");
    EXPECT_THROW(jobs.Fields[7].AsInteger(), EConvertError);
}

TEST_F(TableCursorTest, WalksByRecordNumberFirstNextAndLast) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    AppendJobs(jobs, 5);

    jobs.SetRecNo(0);  // before the first record
    EXPECT_EQ(jobs.Fields[7].AsString(), "");
    jobs.Next();
    EXPECT_EQ(jobs.RecNo(), 1);
    EXPECT_EQ(jobs.Fields[7].AsString(), "serial 1");

    jobs.SetRecNo(4);
    EXPECT_FALSE(jobs.Eof());
    EXPECT_EQ(jobs.Fields[7].AsString(), "serial 4");
    jobs.Next();
    EXPECT_EQ(jobs.Fields[7].AsString(), "serial 5");
    EXPECT_FALSE(jobs.Eof());
    jobs.Next();  // past the end: Eof, still on the last record
    EXPECT_TRUE(jobs.Eof());
    EXPECT_EQ(jobs.RecNo(), 5);
    EXPECT_EQ(jobs.Fields[7].AsString(), "serial 5");

    jobs.First();
    EXPECT_FALSE(jobs.Eof());
    jobs.Last();
    EXPECT_TRUE(jobs.Eof());
    EXPECT_EQ(jobs.RecNo(), 5);
    EXPECT_EQ(jobs.Fields[41].AsInteger(), 5);
    EXPECT_EQ(jobs.RecordCount(), 5);
}

TEST_F(TableCursorTest, TwoCursorsWalkTwoTablesInStep) {
    TTable jobs(session_), extras(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    Configure(extras, "GenData2.db", ChildStructure(238));
    jobs.Open();
    extras.Open();
    tables::TransactionScope filling(session_, {&jobs, &extras});
    AppendJobs(jobs, 30);
    for (int n = 1; n <= 30; ++n) {
        extras.Append();
        extras.Fields[1].SetAsInteger(n);
        extras.Fields[33].SetAsString("person " + std::to_string(n));
        extras.Post();
    }
    filling.Commit();
    jobs.First();
    extras.First();
    int visited = 0;
    while (!jobs.Eof()) {
        ++visited;
        EXPECT_EQ(jobs.Fields[7].AsString(), "serial " + std::to_string(visited));
        EXPECT_EQ(extras.Fields[1].AsInteger(), jobs.Fields[40].AsInteger());
        EXPECT_EQ(extras.Fields[33].AsString(), "person " + std::to_string(visited));
        jobs.Next();
        extras.Next();
    }
    EXPECT_EQ(visited, 30);
    EXPECT_TRUE(extras.Eof());
}

TEST_F(TableCursorTest, EditAndPostChangeOnlyTheAssignedField) {
    TTable jobs(session_), other(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    Configure(other, "GenData.db", GenDataStructure());
    jobs.Open();
    AppendJobs(jobs, 3);
    jobs.SetRecNo(2);
    jobs.Edit();
    jobs.Fields[21].SetAsString("applicant");
    jobs.Post();

    // Another cursor on the same file changes field 21 between Edit and Post: the Post of field
    // 47 must not write back the old field 21.
    jobs.Edit();
    jobs.Close();
    other.Open();
    jobs.Open();
    jobs.SetRecNo(2);
    jobs.Edit();
    other.SetRecNo(2);
    other.Edit();
    other.Fields[21].SetAsString("changed elsewhere");
    other.Post();
    other.Close();
    jobs.Fields[47].SetAsInteger(1);
    jobs.Post();

    jobs.SetRecNo(2);
    EXPECT_EQ(jobs.Fields[47].AsInteger(), 1);
    EXPECT_EQ(jobs.Fields[21].AsString(), "changed elsewhere");
    EXPECT_EQ(jobs.Fields[7].AsString(), "serial 2");
    EXPECT_EQ(jobs.Fields[41].AsInteger(), 2);
    EXPECT_EQ(jobs.Fields[40].AsInteger(), 2);
    jobs.SetRecNo(1);
    EXPECT_EQ(jobs.Fields[47].AsString(), "");
    EXPECT_EQ(jobs.RecordCount(), 3);
}

TEST_F(TableCursorTest, PendingChangeIsDroppedByCancelMoveAndClose) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    AppendJobs(jobs, 2);
    const auto leaveWith = [&](auto action) {
        jobs.SetRecNo(1);
        jobs.Edit();
        jobs.Fields[7].SetAsString("edited");
        EXPECT_EQ(jobs.Fields[7].AsString(), "edited");
        action();
        jobs.Open();
        jobs.SetRecNo(1);
        EXPECT_EQ(jobs.Fields[7].AsString(), "serial 1");
        jobs.Append();
        jobs.Fields[7].SetAsString("appended");
        action();
        jobs.Open();
        EXPECT_EQ(jobs.RecordCount(), 2);
    };
    leaveWith([&] { jobs.Cancel(); });
    leaveWith([&] { jobs.Next(); });
    leaveWith([&] { jobs.Last(); });
    leaveWith([&] { jobs.Close(); });
    jobs.Edit();
    jobs.Fields[7].SetAsString("posted");
    jobs.CheckBrowseMode();
    jobs.CheckBrowseMode();  // nothing pending: nothing happens
    EXPECT_EQ(jobs.Fields[7].AsString(), "posted");
}

// A closed table's connection is kept for reopening, but never for another file or structure.
TEST_F(TableCursorTest, ReopeningFindsTheFileThatIsThereNow) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    AppendJobs(jobs, 2);
    jobs.Close();
    jobs.Open();
    EXPECT_EQ(jobs.RecordCount(), 2);
    jobs.Close();

    std::filesystem::remove(PathOf("GenData.db"));
    {
        TSession other;
        TTable replacement(other);
        Configure(replacement, "GenData.db", GenDataStructure());
        replacement.Open();
        AppendJobs(replacement, 1);
    }
    jobs.Open();
    EXPECT_EQ(jobs.RecordCount(), 1);
    EXPECT_TRUE(jobs.SameFile());

    // Replaced while open (a copy moved over it): the open table tells, and the connection it
    // kept at Close is not taken for the new file.
    std::filesystem::copy_file(PathOf("GenData.db"), PathOf("copy.db"));
    {
        TSession other;
        TTable copy(other);
        Configure(copy, "copy.db", GenDataStructure());
        copy.Open();
        AppendJobs(copy, 2);
    }
    std::filesystem::rename(PathOf("copy.db"), PathOf("GenData.db"));
    EXPECT_FALSE(jobs.SameFile());
    jobs.Close();
    jobs.Open();
    EXPECT_EQ(jobs.RecordCount(), 3);
    EXPECT_TRUE(jobs.SameFile());
    jobs.Close();
    EXPECT_FALSE(jobs.SameFile());  // a closed table names no file it opened

    jobs.SetStructure(ChildStructure(244));
    EXPECT_THROW(jobs.Open(), EDatabaseError);
}

TEST_F(TableCursorTest, EditNeedsACurrentRecord) {
    TTable jobs(session_);
    Configure(jobs, "GenData.db", GenDataStructure());
    jobs.Open();
    EXPECT_THROW(jobs.Edit(), EDatabaseError);
    EXPECT_EQ(jobs.RecordCount(), 0);
}

}  // namespace
}  // namespace tables_test
