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
//   Page    the first page of the list against the same plain table's first twenty rows.
// "bytes_per_job" is the size of the ten files over the jobs.
#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/interleaved.h"
#include "platform/tables/record_codec.h"
#include "platform/tables/session.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/table.h"
#include "storage/job_list.h"
#include "storage/job_load.h"
#include "storage/job_save.h"

namespace {

using storage::kGenData;
using storage::kGenData2;
using storage::kJobTableCount;

int JobCount() {
    const char *jobs = std::getenv("STATION_BENCH_JOBS");
    return jobs && std::atoi(jobs) > 0 ? std::atoi(jobs) : 10000;
}

std::string Serial(int job) {
    char serial[16];
    std::snprintf(serial, sizeof serial, "SN%07d", job);
    return serial;
}

// A job as the save writes it: every field its layout lists, texts of about the length a job
// holds, the search fields telling jobs apart.
storage::JobRecord MakeJob(int job) {
    storage::JobRecord record;
    for (int t = 0; t < kJobTableCount; ++t)
        for (const storage::FieldSpec &field : storage::LayoutOf(t)) {
            if (field.source == storage::Source::None || field.source == storage::Source::Link ||
                field.source == storage::Source::AutoNumber)
                continue;
            storage::FieldValue value;
            switch (field.type) {
                case tables::FieldType::Text:
                    value = std::to_string(job % 977) + "," + std::to_string(field.field % 100);
                    break;
                case tables::FieldType::Integer:
                    value = int32_t{(job + field.field) % 1000};
                    break;
                case tables::FieldType::Boolean:
                    value = (job + field.field) % 2 == 1;
                    break;
            }
            record[static_cast<size_t>(t)][field.field] = value;
        }
    auto &gen = record[kGenData];
    gen[7] = Serial(job);
    gen[30] = "2026-" + std::to_string(1 + job % 12) + "-" + std::to_string(1 + job % 28);
    gen[21] = "Firma " + std::to_string(job % 5000) + "\r\nul. Długa " + std::to_string(job % 300) + "\r\n";
    gen[15] = "WA " + std::to_string(10000 + job % 90000);
    gen[18] = "VIN" + std::to_string(job * 7919 % 1000003);
    gen[28] = "Osoba " + std::to_string(job % 40);
    gen[26] = "Z/" + std::to_string(job);
    return record;
}

struct Store {
    std::filesystem::path folder;
    tables::TSession session;
    std::array<std::unique_ptr<tables::TTable>, kJobTableCount> owned;
    storage::JobTables tables{};
    int jobs = 0;
    double bytesPerJob = 0;

    std::string Path(int t) const { return (folder / storage::TableFileOf(t + 1).file).string(); }
    tables::TableKey Key(int t) const { return tables::DeriveTableKey(storage::TableFileOf(t + 1).password); }
};

void WriteField(tables::TTable &table, int field, const storage::FieldValue &value) {
    if (const auto *text = std::get_if<std::string>(&value))
        table.Fields[field].SetAsString(*text);
    else if (const auto *number = std::get_if<int32_t>(&value))
        table.Fields[field].SetAsInteger(*number);
    else
        table.Fields[field].SetAsBoolean(std::get<bool>(value));
}

// The jobs go in through the engine in transactions of 5,000 jobs: one sync per batch rather
// than per job. The first 200 GenData2 records hold dictionary entries, as a station's do.
void Fill(Store &store) {
    for (tables::TTable *table : store.tables) table->Open();
    auto &t = store.tables;
    constexpr int kBatch = 5000;
    for (int first = 1; first <= store.jobs; first += kBatch) {
        tables::TransactionScope scope(store.session, {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]});
        for (int job = first; job < first + kBatch && job <= store.jobs; ++job) {
            const storage::JobRecord record = MakeJob(job);
            for (int n = 0; n < kJobTableCount; ++n) {
                tables::TTable &table = *t[static_cast<size_t>(n)];
                table.Append();
                for (const auto &[field, value] : record[static_cast<size_t>(n)]) WriteField(table, field, value);
                if (n != kGenData) table.Fields[storage::LinkFieldOf(n)].SetAsInteger(job);
                if (n == kGenData2 && job <= 200) {
                    table.Fields[storage::kPlaceField].SetAsString("Miejsce " + std::to_string(job));
                    table.Fields[storage::kPersonField].SetAsString("Osoba " + std::to_string(job));
                    table.Fields[storage::kPositionField].SetAsString("technik");
                }
                table.Post();
            }
        }
        scope.Commit();
    }
    for (tables::TTable *table : store.tables) table->Close();
}

Store &TheStore() {
    static Store *store = [] {
        auto *built = new Store;
        std::string pattern = (std::filesystem::temp_directory_path() / "job-store-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        built->folder = pattern;
        static const std::filesystem::path folder = built->folder;  // removed when the run ends
        std::atexit([] { std::filesystem::remove_all(folder); });
        built->jobs = JobCount();
        for (int t = 0; t < kJobTableCount; ++t) {
            const storage::TableFile &file = storage::TableFileOf(t + 1);
            built->session.AddPassword(file.password);
            auto &table = built->owned[static_cast<size_t>(t)];
            table = std::make_unique<tables::TTable>(built->session);
            table->SetTableName(built->Path(t));
            table->SetStructure(storage::StructureOf(t));
            table->SetNewFilePassword(file.password);
            built->tables[static_cast<size_t>(t)] = table.get();
        }
        Fill(*built);
        uintmax_t bytes = 0;
        for (int t = 0; t < kJobTableCount; ++t) bytes += std::filesystem::file_size(built->Path(t));
        built->bytesPerJob = static_cast<double>(bytes) / built->jobs;
        return built;
    }();
    return *store;
}

// The raw side's kept connection: GenData as the main database, the nine others attached as r1..r9.
struct RawJobs {
    std::unique_ptr<tables::Connection> link;
    std::array<tables::Statement, kJobTableCount> find;
    std::vector<tables::FieldValue> values;

    explicit RawJobs(const Store &store) {
        link = std::make_unique<tables::Connection>(store.Path(kGenData), "raw", store.Key(kGenData), false);
        find[kGenData] = link->Prepare("SELECT data FROM main.records WHERE id = ?1", "raw");
        for (int t = 1; t < kJobTableCount; ++t) {
            const std::string schema = "r" + std::to_string(t);
            link->Attach(store.Path(t), "raw", schema, store.Key(t));
            find[static_cast<size_t>(t)] = link->Prepare("SELECT data FROM " + schema + ".records WHERE k" +
                                                             std::to_string(storage::LinkFieldOf(t)) +
                                                             " = ?1 ORDER BY id DESC LIMIT 1",
                                                         "raw");
        }
    }
    // The job's ten records decoded whole; GenData's record number is its job number here.
    size_t Load(int job) {
        size_t fields = 0;
        for (int t = 0; t < kJobTableCount; ++t) {
            tables::Statement &statement = find[static_cast<size_t>(t)];
            sqlite3_bind_int(statement.get(), 1, job);
            if (link->Step(statement, "raw")) {
                const tables::TableStructure structure = storage::StructureOf(t);
                tables::RecordView view;
                view.Reset(static_cast<const uint8_t *>(sqlite3_column_blob(statement.get(), 0)),
                           static_cast<size_t>(sqlite3_column_bytes(statement.get(), 0)), structure);
                view.ReadAll(values);
                fields += values.size();
            }
            statement.Reset();
        }
        return fields;
    }
};

void BM_LoadJob(benchmark::State &state) {
    Store &store = TheStore();
    RawJobs raw(store);
    int ours = 1, theirs = 1;
    const auto next = [&store](int job) { return job * 7919 % store.jobs + 1; };
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
    tables::Statement search, page;

    explicit RawList(const Store &store) {
        const std::string path = (store.folder / "list.raw").string();
        const bool made = std::filesystem::exists(path);
        link = std::make_unique<tables::Connection>(path, "raw", store.Key(kGenData), true);
        if (!made) {
            link->Exec("CREATE TABLE list(id INTEGER PRIMARY KEY, hidden, f3, f7, f15, f18, f21, f26, f28, f30, f31, "
                       "f242); BEGIN",
                       "raw");
            tables::Statement insert =
                link->Prepare("INSERT INTO list VALUES(?1, NULL, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)", "raw");
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
        page = link->Prepare("SELECT id, f30, f7, f31, f242 FROM list WHERE hidden IS NOT 1 ORDER BY id LIMIT 20",
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

// The first search, which reads the search fields of every job into memory.
void BM_FirstSearchReadsTheIndex(benchmark::State &state) {
    Store &store = TheStore();
    storage::SearchTexts filter;
    filter[0] = Serial(1);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A copy of the job table is a file the index has not seen.
        const std::string copy = store.Path(kGenData) + ".copy" + std::to_string(++round);
        std::filesystem::copy_file(store.Path(kGenData), copy);
        tables::TTable genData(store.session);
        genData.SetTableName(copy);
        genData.SetStructure(storage::StructureOf(kGenData));
        genData.Open();
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
    RawList raw(store);
    bench::Interleaved(
        state, 10, [&] { benchmark::DoNotOptimize(ListPage(store, nullptr).rows.size()); },
        [&] { benchmark::DoNotOptimize(raw.Rows(raw.page)); });
}

}  // namespace

// Five repetitions each: the median and its spread (stddev, cv) are reported beside the mean.
BENCHMARK(BM_LoadJob)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_SaveJobWithFourNewDictionaryValues)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5);
BENCHMARK(BM_SearchOneJob)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_FirstSearchReadsTheIndex)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_FirstListPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);
