#include "storage/job_save.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/runtime/errors.h"
#include "tests/storage/job_tables_fixture.h"

using storage::DictionaryEntry;
using storage::FieldValue;
using storage::JobRecord;
using storage::Source;
using tables::FieldType;

namespace {

class JobSave : public JobTablesFixture {};

TEST_F(JobSave, JobsReadBackFieldByFieldInAllTenTablesWithConsecutiveNumbers) {
    const JobRecord first = SampleJob(1), second = SampleJob(2);
    EXPECT_EQ(Save(first), 1);
    EXPECT_EQ(Save(second), 2);
    ExpectRecords(2);
    ExpectLastJob(second, 2);
    for (tables::TTable *table : jobTables) EXPECT_FALSE(table->Active());
}

TEST_F(JobSave, AJobWithFieldsLeftOutKeepsThemEmpty) {
    JobRecord job = SampleJob(3);
    job[storage::kWynikiD2].clear();
    job[storage::kGenData].erase(125);
    Save(job);
    ExpectLastJob(job, 1);
}

TEST_F(JobSave, AFailureAnywhereLeavesNoTraceOfTheJob) {
    // Each case breaks the save at a different step: while filling the last table, when
    // posting the job record, after every record is posted (a dictionary field that does not exist).
    struct Case {
        const char *name;
        int table;
        int field;
        FieldValue value;
        std::vector<DictionaryEntry> dictionary;
    };
    const Case cases[] = {
        {"field beyond the last table", storage::kLegZU, 21, std::string("x"), {}},
        {"text in an integer field", storage::kGenData, 41, std::string("abc"), {}},
        {"boolean from text", storage::kGenData, 19, std::string("maybe"), {}},
        {"dictionary after the posts",
         storage::kLegZU,
         20,
         std::string("ok"),
         {{storage::kPersonField, "Kowalski", storage::kPositionField, "technik"}, {300, "x"}}},
    };
    const JobRecord kept = SampleJob(7);
    Save(kept);
    for (const Case &c : cases) {
        JobRecord job = SampleJob(8);
        job[static_cast<size_t>(c.table)][c.field] = c.value;
        EXPECT_ANY_THROW(Save(job, c.dictionary)) << c.name;
        ExpectRecords(1);
        ExpectLastJob(kept, 1);
        for (tables::TTable *table : jobTables) EXPECT_FALSE(table->Active()) << c.name;
    }
    // The engine goes on: the next save gets the next number.
    EXPECT_EQ(Save(SampleJob(9)), 2);
}

TEST_F(JobSave, DictionaryTakesNewValuesIntoTheFirstFreeRecord) {
    const JobRecord job = SampleJob(1);
    // The job's own record is free: the first person lands there, the same person again does
    // not, another position of the same name does only when a record is free.
    Save(job, {{storage::kPersonField, "Nowak", storage::kPositionField, "kierownik"},
               {storage::kPersonField, "Nowak", storage::kPositionField, "kierownik"},
               {storage::kPersonField, "Nowak", storage::kPositionField, "technik"},
               {storage::kDeviceField, ""},
               {storage::kDeviceField, "---"},
               {storage::kSealField, "plomba 1"}});
    Save(job, {{storage::kPersonField, "Nowak", storage::kPositionField, "technik"},
               {storage::kSealField, "plomba 1"},
               {storage::kSealField, "plomba 2"}});
    tables::TTable &dictionary = *jobTables[storage::kGenData2];
    dictionary.Open();
    struct Expected {
        int field;
        std::string first, second;
    };
    const Expected expected[] = {{storage::kPersonField, "Nowak", "Nowak"},
                                 {storage::kPositionField, "kierownik", "technik"},
                                 {storage::kSealField, "plomba 1", "plomba 2"},
                                 {storage::kDeviceField, "", ""}};
    for (const Expected &e : expected) {
        dictionary.First();
        EXPECT_EQ(dictionary.Fields[e.field].AsString(), e.first) << e.field;
        dictionary.Next();
        EXPECT_EQ(dictionary.Fields[e.field].AsString(), e.second) << e.field;
    }
    dictionary.Close();
}

}  // namespace
