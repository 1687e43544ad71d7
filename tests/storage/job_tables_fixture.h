#pragma once
// The ten job tables in a fresh folder of their own, and a sample job with a distinct value in
// every field the save writes.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/job_save.h"

// A distinct value for every field the save writes, marked with `tag`.
inline storage::JobRecord SampleJob(int tag) {
    using storage::FieldValue;
    using storage::Source;
    using tables::FieldType;
    storage::JobRecord job;
    for (int t = 0; t < storage::kJobTableCount; ++t)
        for (const storage::FieldSpec &fieldSpec : storage::LayoutOf(t)) {
            if (fieldSpec.source == Source::None || fieldSpec.source == Source::Link ||
                fieldSpec.source == Source::AutoNumber)
                continue;
            FieldValue value;
            switch (fieldSpec.type) {
                case FieldType::Text:
                    value = "t" + std::to_string(t) + "f" + std::to_string(fieldSpec.field) + "j" +
                            std::to_string(tag) + "\r\nżółw\r\n";
                    break;
                case FieldType::Integer:
                    value = int32_t{1000 * tag + 10 * fieldSpec.field + t};
                    break;
                case FieldType::Boolean:
                    value = (fieldSpec.field + tag) % 2 == 1;
                    break;
            }
            job[static_cast<size_t>(t)][fieldSpec.field] = value;
        }
    return job;
}

class JobTablesFixture : public ::testing::Test {
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

    int Save(const storage::JobRecord &job, const std::vector<storage::DictionaryEntry> &dictionary = {}) {
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
    void ExpectLastJob(const storage::JobRecord &job, int number) {
        for (int t = 0; t < storage::kJobTableCount; ++t) {
            tables::TTable &table = *jobTables[static_cast<size_t>(t)];
            table.Open();
            table.Last();
            const auto &values = job[static_cast<size_t>(t)];
            for (const storage::FieldSpec &fieldSpec : storage::LayoutOf(t)) {
                const tables::TField field = table.Fields[fieldSpec.field];
                const auto it = values.find(fieldSpec.field);
                const std::string where =
                    std::string(storage::TableFileOf(t + 1).file) + " field " + std::to_string(fieldSpec.field);
                if (fieldSpec.source == storage::Source::Link || fieldSpec.source == storage::Source::AutoNumber)
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
