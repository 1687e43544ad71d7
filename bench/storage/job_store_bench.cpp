// The job store at a station's size: the ten job tables of STATION_BENCH_JOBS jobs (10,000 unless
// set; 100,000 for years of work) of real width, built once per run in a temporary folder. Each
// case runs the storage library's own operation against a peer in the same run (bench/support/
// interleaved.h: "ours_us", "peer_us", "ratio" = ours over the peer's):
//   Load    ReadJob by record number (the job and its nine child records found by the job number)
//           against raw SQLCipher on a kept connection with the ten files attached, finding the
//           same records through the same indexes and decoding them whole;
//   Save    SaveJob with four new dictionary values against SaveJob with none;
//   Search  a job-list search matching one job against raw SQLCipher filtering a plain table of
//           the list's columns with instr();
//   FirstSearch  the first search of a run on the window's thread, without and with the index read
//           ahead (no peer: the figure is the time the officer waits);
//   Page    the first page of the list against raw SQLCipher reading the same twenty records of
//           the job table on the kept connection and decoding their list cells.
// "bytes_per_job" is the size of the ten files over the jobs.
#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>
#include <stdlib.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/interleaved.h"
#include "bench/support/job_tables.h"
#include "platform/tables/record_codec.h"
#include "platform/tables/session.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/table.h"
#include "storage/job_list.h"
#include "storage/job_load.h"
#include "storage/job_save.h"
#include "storage/job_search.h"

namespace {

using bench::JobCount;
using bench::MakeJob;
using bench::Serial;
using bench::Store;
using storage::kGenData;
using storage::kGenData2;
using storage::kJobTableCount;

Store &TheStore() {
    static Store *store = [] {
        auto *built = new Store(JobCount());
        built->Fill();
        return built;
    }();
    return *store;
}

// The raw side's kept connection: GenData as the main database, the nine others attached as r1..r9.
struct RawJobs {
    std::unique_ptr<tables::Connection> link;
    std::array<tables::Statement, kJobTableCount> find;
    tables::Statement page;
    // Made once, as a program of its own would keep them: the structures, the views and the decoded
    // values of each table.
    std::array<tables::TableStructure, kJobTableCount> structures;
    std::array<tables::RecordView, kJobTableCount> views;
    std::array<std::vector<tables::FieldValue>, kJobTableCount> values;

    explicit RawJobs(const Store &store) {
        for (int t = 0; t < kJobTableCount; ++t) structures[static_cast<size_t>(t)] = storage::StructureOf(t);
        link = std::make_unique<tables::Connection>(store.Path(kGenData), "raw", store.Key(kGenData), false);
        find[kGenData] = link->Prepare("SELECT data FROM main.records WHERE id = ?1", "raw");
        page = link->Prepare("SELECT data FROM main.records ORDER BY id LIMIT 20", "raw");
        for (int t = 1; t < kJobTableCount; ++t) {
            const std::string schema = "r" + std::to_string(t);
            link->Attach(store.Path(t), "raw", schema, store.Key(t));
            find[static_cast<size_t>(t)] =
                link->Prepare("SELECT data FROM " + schema + ".records WHERE k" +
                                  std::to_string(storage::LinkFieldOf(t)) + " = ?1 ORDER BY id DESC LIMIT 1",
                              "raw");
        }
    }
    // The first twenty jobs' list cells, read from the job table's records.
    size_t Page() {
        size_t bytes = 0;
        tables::RecordView &view = views[kGenData];
        tables::FieldValue value;
        while (link->Step(page, "raw")) {
            view.Reset(static_cast<const uint8_t *>(sqlite3_column_blob(page.get(), 0)),
                       static_cast<size_t>(sqlite3_column_bytes(page.get(), 0)), structures[kGenData]);
            for (int field : {storage::kHiddenField, 30, 7, 31, 242}) {
                view.Read(field, value);
                bytes += value.text.size();
            }
        }
        page.Reset();
        return bytes;
    }
    // The job's ten records decoded whole; GenData's record number is its job number here.
    size_t Load(int job) {
        size_t fields = 0;
        for (size_t t = 0; t < kJobTableCount; ++t) {
            tables::Statement &statement = find[t];
            sqlite3_bind_int(statement.get(), 1, job);
            if (link->Step(statement, "raw")) {
                views[t].Reset(static_cast<const uint8_t *>(sqlite3_column_blob(statement.get(), 0)),
                               static_cast<size_t>(sqlite3_column_bytes(statement.get(), 0)), structures[t]);
                views[t].ReadAll(values[t]);
                fields += values[t].size();
            }
            statement.Reset();
        }
        return fields;
    }
};

// Argument: the jobs walked, 0 for all of them (most pages come from the file and are decrypted on
// both sides), 1 for the same job again (every page in the engine's cache: what each side adds).
void BM_LoadJob(benchmark::State &state) {
    Store &store = TheStore();
    RawJobs raw(store);
    int ours = 1, theirs = 1;
    const int walked = state.range(0) == 0 ? store.jobs : static_cast<int>(state.range(0));
    const auto next = [walked](int job) { return job * 7919 % walked + 1; };
    bench::Interleaved(
        state, 5,
        [&] {
            benchmark::DoNotOptimize(storage::ReadJob(store.tables, ours).number);
            ours = next(ours);
        },
        [&] {
            benchmark::DoNotOptimize(raw.Load(theirs));
            theirs = next(theirs);
        });
    state.counters["bytes_per_job"] = store.bytesPerJob;
}

void BM_SaveJobWithFourNewDictionaryValues(benchmark::State &state) {
    Store &store = TheStore();
    const storage::JobRecord job = MakeJob(store.jobs + 1);
    int round = 0;
    bench::Interleaved(
        state, 1,
        [&] {
            const std::string tag = " " + std::to_string(++round);
            storage::SaveJob(store.session, store.tables, job,
                             {{storage::kPlaceField, "Miejsce nowe" + tag},
                              {storage::kPersonField, "Osoba nowa" + tag, storage::kPositionField, "technik"},
                              {storage::kManufacturerField, "Wytwórca" + tag},
                              {storage::kApplicantField, "Zgłaszający" + tag}});
        },
        [&] { storage::SaveJob(store.session, store.tables, job, {}); });
}

// The raw side of the list: a plain table of the list's columns, one row a job.
struct RawList {
    std::unique_ptr<tables::Connection> link;
    tables::Statement search;

    explicit RawList(const Store &store) {
        const std::string path = (store.folder / "list.raw").string();
        const bool made = std::filesystem::exists(path);
        link = std::make_unique<tables::Connection>(path, "raw", store.Key(kGenData), true);
        if (!made) {
            link->Exec(
                "CREATE TABLE list(id INTEGER PRIMARY KEY, hidden, f3, f7, f15, f18, f21, f26, f28, f30, "
                "f31, "
                "f242); BEGIN",
                "raw");
            tables::Statement insert = link->Prepare(
                "INSERT INTO list VALUES(?1, NULL, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)", "raw");
            for (int job = 1; job <= store.jobs; ++job) {
                const storage::JobRecord record = MakeJob(job);
                int param = 2;
                for (int field : {3, 7, 15, 18, 21, 26, 28, 30, 31, 242}) {
                    const auto &text = std::get<std::string>(record[kGenData].at(field));
                    sqlite3_bind_text(insert.get(), param++, text.c_str(), -1, SQLITE_TRANSIENT);
                }
                sqlite3_bind_int(insert.get(), 1, job);
                link->Step(insert, "raw");
                insert.Reset();
            }
            link->Exec("COMMIT", "raw");
        }
        search = link->Prepare(
            "SELECT id, f30, f7, f31, f242 FROM list WHERE hidden IS NOT 1 AND instr(f7, ?1) > 0 ORDER BY id "
            "LIMIT 20",
            "raw");
    }
    size_t Rows(tables::Statement &statement) {
        size_t bytes = 0;
        while (link->Step(statement, "raw"))
            for (int column = 1; column <= 4; ++column)
                bytes += static_cast<size_t>(sqlite3_column_bytes(statement.get(), column));
        statement.Reset();
        return bytes;
    }
};

// What the list screen does for one page: open the job table, read the page, close it.
storage::JobListPage ListPage(Store &store, const storage::SearchTexts *filter) {
    tables::TTable &genData = *store.tables[kGenData];
    genData.HoldRead();
    genData.Open();
    storage::JobListPage page = storage::ReadJobPage(genData, 0, filter);
    genData.Close();
    return page;
}

void BM_SearchOneJob(benchmark::State &state) {
    Store &store = TheStore();
    RawList raw(store);
    const std::string serial = Serial(store.jobs / 2);
    storage::SearchTexts filter;
    filter[0] = serial;
    sqlite3_bind_text(raw.search.get(), 1, serial.c_str(), -1, SQLITE_TRANSIENT);
    ListPage(store, &filter);  // the search index is read once, on the first search
    bench::Interleaved(
        state, 1, [&] { benchmark::DoNotOptimize(ListPage(store, &filter).rows.size()); },
        [&] { benchmark::DoNotOptimize(raw.Rows(raw.search)); });
}

// The first search on the window's thread: argument 0, reading the search fields of every job into
// memory there; 1, taking over the index read ahead on its own thread once the table was open
// (the read ahead itself, not on the window's thread, is not timed).
void BM_FirstSearch(benchmark::State &state) {
    Store &store = TheStore();
    storage::SearchTexts filter;
    filter[0] = Serial(1);
    static int round = 0;  // over every repetition: each copy is a file no index has seen
    for (auto _ : state) {
        state.PauseTiming();
        const std::string copy = store.Path(kGenData) + ".copy" + std::to_string(++round);
        std::filesystem::copy_file(store.Path(kGenData), copy);
        tables::TTable genData(store.session);
        genData.SetTableName(copy);
        genData.SetStructure(storage::StructureOf(kGenData));
        genData.Open();
        if (state.range(0) == 1) {
            storage::JobSearchIndex &index = storage::SearchIndexOf(genData);
            index.BuildAhead(genData);
            while (index.Building(std::chrono::milliseconds(100))) {
            }
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(storage::ReadJobPage(genData, 0, &filter).rows.size());
        state.PauseTiming();
        genData.Close();
        std::filesystem::remove(copy);
        state.ResumeTiming();
    }
}

void BM_FirstListPage(benchmark::State &state) {
    Store &store = TheStore();
    RawJobs raw(store);
    bench::Interleaved(
        state, 10, [&] { benchmark::DoNotOptimize(ListPage(store, nullptr).rows.size()); },
        [&] { benchmark::DoNotOptimize(raw.Page()); });
}

}  // namespace

// Five repetitions each: the median and its spread (stddev, cv) are reported beside the mean.
BENCHMARK(BM_LoadJob)
    ->ArgName("jobs_walked")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->Apply(bench::Spread);
BENCHMARK(BM_SaveJobWithFourNewDictionaryValues)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5);
BENCHMARK(BM_SearchOneJob)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_FirstSearch)
    ->ArgName("read_ahead")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->Apply(bench::Spread);
BENCHMARK(BM_FirstListPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);
