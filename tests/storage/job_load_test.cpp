#include "storage/job_load.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/errors.h"
#include "tests/storage/job_tables_fixture.h"

namespace {

class JobLoad : public JobTablesFixture {
protected:
    storage::LoadedJob Read(int recNo) { return storage::ReadJob(jobTables, recNo); }

    // Adds one record to `table` linked to job `number`, holding `values`.
    void AppendChild(int table, int number, const storage::RecordValues &values) {
        tables::TTable &child = *jobTables[static_cast<size_t>(table)];
        child.Open();
        child.Append();
        for (const auto &[field, value] : values)
            child.Fields[field].SetAsString(std::get<std::string>(value));
        child.Fields[storage::LinkFieldOf(table)].SetAsInteger(number);
        child.Post();
        child.Close();
    }
};

TEST_F(JobLoad, EveryJobReadsBackFieldByFieldAsSaved) {
    const storage::JobRecord jobs[] = {SampleJob(1), SampleJob(2), SampleJob(3)};
    storage::JobRecord partial = SampleJob(4);
    partial[storage::kGenData].erase(125);
    partial[storage::kLegZU].clear();
    for (const storage::JobRecord &job : jobs) Save(job);
    Save(partial);
    for (int n = 1; n <= 4; ++n) {
        const storage::LoadedJob loaded = Read(n);
        const storage::JobRecord &saved = n == 4 ? partial : jobs[n - 1];
        EXPECT_EQ(loaded.number, n);
        const storage::JobRecord values = loaded.Values();
        for (int t = 0; t < storage::kJobTableCount; ++t)
            EXPECT_EQ(values[static_cast<size_t>(t)], saved[static_cast<size_t>(t)])
                << "job " << n << " " << storage::TableFileOf(t + 1).file;
        for (const bool found : loaded.found) EXPECT_TRUE(found);
    }
}

// The tables stay open between loads, holding no lock: another program saves meanwhile, and the
// next load sees its job; a file it puts in the place of one is read, not the file opened before.
TEST_F(JobLoad, LoadsSeeWhatAnotherProgramChangedSinceTheLast) {
    Save(SampleJob(1));
    const std::filesystem::path backup = folder / "backup";
    std::filesystem::create_directories(backup);
    for (int t = 0; t < storage::kJobTableCount; ++t)
        std::filesystem::copy_file(jobTables[static_cast<size_t>(t)]->TableName(),
                                   backup / storage::TableFileOf(t + 1).file);
    EXPECT_EQ(Read(1).number, 1);
    for (tables::TTable *table : jobTables) EXPECT_TRUE(table->Active());

    {
        tables::TSession otherSession;
        std::array<std::unique_ptr<tables::TTable>, storage::kJobTableCount> other;
        storage::JobTables otherTables{};
        for (int t = 0; t < storage::kJobTableCount; ++t) {
            otherSession.AddPassword(storage::TableFileOf(t + 1).password);
            other[static_cast<size_t>(t)] = std::make_unique<tables::TTable>(otherSession);
            other[static_cast<size_t>(t)]->SetTableName(jobTables[static_cast<size_t>(t)]->TableName());
            other[static_cast<size_t>(t)]->SetStructure(storage::StructureOf(t));
            otherTables[static_cast<size_t>(t)] = other[static_cast<size_t>(t)].get();
        }
        EXPECT_EQ(storage::SaveJob(otherSession, otherTables, SampleJob(2), {}), 2);
    }
    EXPECT_EQ(Read(2).Values(), SampleJob(2));

    // The backup of the results table, taken before job 2, moved over it.
    const std::string results = jobTables[storage::kLegZU]->TableName();
    std::filesystem::copy_file(backup / storage::TableFileOf(storage::kLegZU + 1).file, results + ".new");
    std::filesystem::rename(results + ".new", results);
    const storage::LoadedJob restored = Read(2);
    EXPECT_FALSE(restored.found[storage::kLegZU]);
    EXPECT_TRUE(restored.found[storage::kGenData]);
}

// Today's save leaves the job record's old checklist field empty; records of older saves hold it,
// and it is read back.
TEST_F(JobLoad, TheOldChecklistFieldAndEveryTypeReadBack) {
    storage::JobRecord job = SampleJob(1);
    job[storage::kGenData][22] = std::string("5592405");
    job[storage::kGenData][12] = std::string("0");
    Save(job);
    const storage::LoadedJob loaded = Read(1);
    EXPECT_EQ(loaded.Number(storage::kGenData, 22), 5592405);
    EXPECT_EQ(loaded.Text(storage::kGenData, 12), "0");
    EXPECT_EQ(loaded.Number(storage::kGenData, 7), std::nullopt);
    EXPECT_EQ(loaded.Integer(storage::kGenData, 44), std::get<int32_t>(job[storage::kGenData].at(44)));
    EXPECT_EQ(loaded.Boolean(storage::kGenData, 50), std::get<bool>(job[storage::kGenData].at(50)));
    EXPECT_EQ(loaded.Lines(storage::kGenData, 7), (std::vector<std::string>{"t0f7j1", "żółw"}));
    // Fields never stored, and a field read as another type, give the empty value.
    EXPECT_EQ(loaded.Text(storage::kGenData, 25), "");
    EXPECT_EQ(loaded.Integer(storage::kGenData, 7), 0);
    EXPECT_FALSE(loaded.Boolean(storage::kAddInt64, 19));
}

TEST_F(JobLoad, AMissingChildRecordReadsEmptyNotAnotherJobs) {
    Save(SampleJob(1));
    Save(SampleJob(2));
    // Job 3 has a job record only: its child tables stand on job 2's records after the search.
    tables::TTable &genData = *jobTables[storage::kGenData];
    genData.Open();
    genData.Append();
    genData.Fields[7].SetAsString("lonely");
    genData.Post();
    genData.Close();
    const storage::LoadedJob loaded = Read(3);
    EXPECT_EQ(loaded.number, 3);
    EXPECT_TRUE(loaded.found[storage::kGenData]);
    EXPECT_EQ(loaded.Text(storage::kGenData, 7), "lonely");
    const storage::JobRecord values = loaded.Values();
    for (int t = storage::kGenData + 1; t < storage::kJobTableCount; ++t) {
        EXPECT_FALSE(loaded.found[static_cast<size_t>(t)]) << t;
        EXPECT_TRUE(values[static_cast<size_t>(t)].empty()) << t;
    }
}

TEST_F(JobLoad, OfTwoChildRecordsOfOneJobTheLaterIsRead) {
    storage::JobRecord job = SampleJob(1);
    job[storage::kLegZU] = {{2, std::string("first")}};
    Save(job);
    AppendChild(storage::kLegZU, 1, {{2, std::string("second")}});
    EXPECT_EQ(Read(1).Values()[storage::kLegZU], (storage::RecordValues{{2, std::string("second")}}));
}

TEST_F(JobLoad, ARecordNumberOutsideTheTableIsAnErrorAndClosesTheTables) {
    Save(SampleJob(1));
    for (const int recNo : {0, 2, -1}) {
        EXPECT_THROW(Read(recNo), EDatabaseError) << recNo;
        for (tables::TTable *table : jobTables) EXPECT_FALSE(table->Active()) << recNo;
    }
}

}  // namespace
