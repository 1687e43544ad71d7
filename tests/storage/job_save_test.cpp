#include "storage/job_save.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/runtime/errors.h"

using storage::DictionaryEntry;
using storage::FieldValue;
using storage::JobRecord;
using storage::Source;
using tables::FieldType;

namespace {

// A distinct value for every field the save writes, marked with `tag`.
JobRecord SampleJob(int tag) {
    JobRecord job;
    for (int t = 0; t < storage::kJobTableCount; ++t)
        for (const storage::FieldSpec &spec : storage::LayoutOf(t)) {
            if (spec.source == Source::None || spec.source == Source::Link ||
                spec.source == Source::AutoNumber)
                continue;
            FieldValue value;
            switch (spec.type) {
                case FieldType::Text:
                    value = "t" + std::to_string(t) + "f" + std::to_string(spec.field) + "j" +
                            std::to_string(tag) + "\r\nżółw\r\n";
                    break;
                case FieldType::Integer:
                    value = int32_t{1000 * tag + 10 * spec.field + t};
                    break;
                case FieldType::Boolean:
                    value = (spec.field + tag) % 2 == 1;
                    break;
            }
            job[static_cast<size_t>(t)][spec.field] = value;
        }
    return job;
}

class JobSave : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::path(std::getenv("TEST_TMPDIR") ? std::getenv("TEST_TMPDIR") : "/tmp") /
                 ("job_save_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        for (int t = 0; t < storage::kJobTableCount; ++t) {
            const storage::TableFile &file = storage::TableFileOf(t + 1);
            session.AddPassword(file.password);
            owned[static_cast<size_t>(t)] = std::make_unique<tables::TTable>(session);
            tables::TTable &table = *owned[static_cast<size_t>(t)];
            table.SetTableName((folder / file.file).string());
            table.SetStructure(storage::StructureOf(t));
            table.SetNewFilePassword(file.password);
            jobTables[static_cast<size_t>(t)] = &table;
        }
    }
    void TearDown() override {
        for (auto &table : owned) table.reset();
        std::filesystem::remove_all(folder);
    }

    int Save(const JobRecord &job, const std::vector<DictionaryEntry> &dictionary = {}) {
        return storage::SaveJob(session, jobTables, job, dictionary);
    }

    // Every table holds `count` records.
    void ExpectRecords(int count) {
        for (int t = 0; t < storage::kJobTableCount; ++t) {
            tables::TTable &table = *jobTables[static_cast<size_t>(t)];
            table.Open();
            EXPECT_EQ(table.RecordCount(), count) << storage::TableFileOf(t + 1).file;
            table.Close();
        }
    }

    // The last record of every table holds `job` field by field and the link `number`.
    void ExpectLastJob(const JobRecord &job, int number) {
        for (int t = 0; t < storage::kJobTableCount; ++t) {
            tables::TTable &table = *jobTables[static_cast<size_t>(t)];
            table.Open();
            table.Last();
            const auto &values = job[static_cast<size_t>(t)];
            for (const storage::FieldSpec &spec : storage::LayoutOf(t)) {
                const tables::TField field = table.Fields[spec.field];
                const auto it = values.find(spec.field);
                const std::string where =
                    std::string(storage::TableFileOf(t + 1).file) + " field " + std::to_string(spec.field);
                if (spec.source == Source::Link || spec.source == Source::AutoNumber)
                    EXPECT_EQ(field.AsInteger(), number) << where;
                else if (it == values.end())
                    EXPECT_TRUE(field.IsNull()) << where;
                else if (const auto *text = std::get_if<std::string>(&it->second))
                    EXPECT_EQ(field.AsString(), *text) << where;
                else if (const auto *integer = std::get_if<int32_t>(&it->second))
                    EXPECT_EQ(field.AsInteger(), *integer) << where;
                else
                    EXPECT_EQ(field.AsBoolean(), std::get<bool>(it->second)) << where;
            }
            table.Close();
        }
    }

    std::filesystem::path folder;
    tables::TSession session;
    std::array<std::unique_ptr<tables::TTable>, storage::kJobTableCount> owned;
    storage::JobTables jobTables{};
};

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
