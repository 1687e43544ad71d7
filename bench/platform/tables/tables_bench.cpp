// The table engine against the raw SQLCipher C API doing the same work in the same run, over
// 10,000 saved jobs of the ten job tables' widths: saving one job into all ten tables in one
// transaction, the job-list scan of GenData reading eight text fields per record, and reading
// one job's ten records back by its number. The raw side keeps each table as an ordinary
// SQLite table with one column per field and opens its files through the engine's file layer, so
// both sides make the same syncs. Every case reports "ms" and "syncs" (file and folder syncs)
// per iteration; each engine case also "vs_raw", its time divided by the raw side's.
#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/tables/folder_sync_vfs.h"
#include "platform/tables/key_derivation.h"
#include "platform/tables/session.h"
#include "platform/tables/table.h"

namespace {

long syncCount = 0;

}  // namespace

// Counted here for the "syncs" counter: the library calls them from the C library.
extern "C" int fsync(int fd) {
    ++syncCount;
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    ++syncCount;
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

namespace {

constexpr int kJobs = 10000;
constexpr const char *kPassword = "Hq4TnwZpk27cs";
struct Shape {
    const char *name;
    int width;
};
constexpr std::array<Shape, 10> kShapes = {{{"GenData", 244},
                                            {"WynikiD", 162},
                                            {"WynikiC", 162},
                                            {"LicznikiD", 172},
                                            {"AddInt64", 58},
                                            {"GenData2", 238},
                                            {"WynikiD2", 162},
                                            {"WynikiC2", 162},
                                            {"LicznikiD2", 172},
                                            {"LegZU", 21}}};
constexpr std::array<int, 8> kListFields = {7, 30, 26, 3, 21, 28, 18, 15};

// Field types: GenData as the job record (auto-number 40), AddInt64 all integers, the others
// text with the integer link in field 1.
std::string Letters(size_t table) {
    const int width = kShapes[table].width;
    std::string letters(width, kShapes[table].name == std::string("AddInt64") ? 'I' : 'T');
    letters[0] = 'I';
    letters[1] = 'I';
    if (table == 0) {
        letters[1] = 'T';
        letters[19] = letters[20] = 'B';
        letters[40] = 'A';
        for (int field : {5, 41, 43, 44, 45, 46, 47, 48, 49}) letters[field] = 'I';
        for (int slot = 0; slot < 8; ++slot) letters[50 + 9 * slot] = letters[51 + 9 * slot] = 'B';
    }
    return letters;
}

// The value of a field of job `job`: short texts like the ones a job holds, small numbers.
std::string TextValue(int job, int field) {
    return std::to_string(field) + "," + std::to_string(job % 997);
}
int NumberValue(int job, int field) {
    return (job + field) % 1000;
}

struct Fixture {
    std::filesystem::path folder;
    std::array<tables::TableStructure, 10> structures;
    tables::TableKey key;
    std::unique_ptr<tables::TSession> session;
    std::map<std::string, double> rawSeconds;  // per case

    std::string EnginePath(size_t table) const {
        return (folder / (std::string(kShapes[table].name) + ".db")).string();
    }
    std::string RawPath(size_t table) const {
        return (folder / (std::string(kShapes[table].name) + ".raw")).string();
    }
};

void Check(int rc, sqlite3 *db, const char *what) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

void Exec(sqlite3 *db, const std::string &sql) {
    Check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db, sql.c_str());
}

// The raw side: GenData.raw as the main database, the other nine attached as r1..r9.
sqlite3 *OpenRaw(const Fixture &fixture) {
    sqlite3 *db = nullptr;
    Check(
        sqlite3_open_v2(fixture.RawPath(0).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        tables::FolderSyncVfsName()),
        db, "open");
    const std::string literal = tables::RawKeyLiteral(fixture.key);
    Exec(db, "PRAGMA cipher_default_page_size = 4096;");
    sqlite3_key(db, literal.data(), static_cast<int>(literal.size()));
    Exec(db, "PRAGMA cipher_page_size = 4096;");
    for (size_t t = 1; t < kShapes.size(); ++t)
        Exec(db, "ATTACH '" + fixture.RawPath(t) + "' AS r" + std::to_string(t) + " KEY \"" + literal + "\"");
    return db;
}

std::string RawTable(size_t table) {
    return table == 0 ? "main.t" : "r" + std::to_string(table) + ".t";
}

std::string RawInsertSql(size_t table) {
    std::string sql = "INSERT INTO " + RawTable(table) + " VALUES(NULL";
    for (int field = 0; field < kShapes[table].width; ++field) sql += ",?";
    return sql + ")";
}

using RawInserts = std::array<sqlite3_stmt *, 10>;

RawInserts PrepareRawInserts(sqlite3 *db) {
    RawInserts inserts{};
    for (size_t t = 0; t < kShapes.size(); ++t)
        Check(sqlite3_prepare_v2(db, RawInsertSql(t).c_str(), -1, &inserts[t], nullptr), db, "prepare");
    return inserts;
}

void FinalizeRawInserts(RawInserts &inserts) {
    for (sqlite3_stmt *insert : inserts) sqlite3_finalize(insert);
}

void RawInsertJob(const Fixture &fixture, sqlite3 *db, const RawInserts &inserts, int job) {
    for (size_t t = 0; t < kShapes.size(); ++t) {
        sqlite3_stmt *insert = inserts[t];
        const std::string letters = fixture.structures[t].Letters();
        for (int field = 0; field < kShapes[t].width; ++field) {
            if (letters[field] == 'T')
                sqlite3_bind_text(insert, field + 1, TextValue(job, field).c_str(), -1, SQLITE_TRANSIENT);
            else if (letters[field] != 'A')
                sqlite3_bind_int(insert, field + 1,
                                 letters[field] == 'B' ? job & 1 : NumberValue(job, field));
        }
        if (t > 0) sqlite3_bind_int(insert, 2, job);
        Check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
        sqlite3_clear_bindings(insert);
    }
}

void FillJob(const Fixture &fixture, std::array<std::unique_ptr<tables::TTable>, 10> &tables, int job) {
    for (size_t t = 0; t < kShapes.size(); ++t) {
        tables::TTable &table = *tables[t];
        const std::string letters = fixture.structures[t].Letters();
        table.Append();
        for (int field = 1; field < kShapes[t].width; ++field) {
            if (letters[field] == 'T')
                table.Fields[field].SetAsString(TextValue(job, field));
            else if (letters[field] == 'I')
                table.Fields[field].SetAsInteger(t > 0 && field == 1 ? job : NumberValue(job, field));
            else if (letters[field] == 'B')
                table.Fields[field].SetAsBoolean(job & 1);
        }
        table.Post();
    }
}

std::array<std::unique_ptr<tables::TTable>, 10> EngineTables(Fixture &fixture) {
    std::array<std::unique_ptr<tables::TTable>, 10> tables;
    for (size_t t = 0; t < kShapes.size(); ++t) {
        tables[t] = std::make_unique<tables::TTable>(*fixture.session);
        tables[t]->SetTableName(fixture.EnginePath(t));
        tables[t]->SetStructure(fixture.structures[t]);
        tables[t]->SetNewFilePassword(kPassword);
        tables[t]->Open();
    }
    return tables;
}

void StartTransaction(tables::TSession &session, std::array<std::unique_ptr<tables::TTable>, 10> &t) {
    session.StartTransaction({t[0].get(), t[1].get(), t[2].get(), t[3].get(), t[4].get(), t[5].get(),
                              t[6].get(), t[7].get(), t[8].get(), t[9].get()});
}

// Built once per run in a temporary folder: 10,000 jobs on each side, in batches of 500.
Fixture &TheFixture() {
    static Fixture *fixture = [] {
        auto *built = new Fixture;
        std::string pattern = (std::filesystem::temp_directory_path() / "tables-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        built->folder = pattern;
        static const std::filesystem::path folder = built->folder;  // removed when the run ends
        std::atexit([] { std::filesystem::remove_all(folder); });
        for (size_t t = 0; t < kShapes.size(); ++t)
            built->structures[t] = tables::TableStructure::FromLetters(Letters(t));
        built->session = std::make_unique<tables::TSession>();
        built->session->AddPassword(kPassword);
        built->key = tables::DeriveTableKey(kPassword);

        sqlite3 *db = OpenRaw(*built);
        for (size_t t = 0; t < kShapes.size(); ++t) {
            std::string sql = "CREATE TABLE " + RawTable(t) + "(id INTEGER PRIMARY KEY";
            for (int field = 0; field < kShapes[t].width; ++field) sql += ", f" + std::to_string(field);
            Exec(db, sql + ")");
        }
        RawInserts inserts = PrepareRawInserts(db);
        auto tables = EngineTables(*built);
        for (int first = 1; first <= kJobs; first += 500) {
            StartTransaction(*built->session, tables);
            Exec(db, "BEGIN");
            for (int job = first; job < first + 500; ++job) {
                FillJob(*built, tables, job);
                RawInsertJob(*built, db, inserts, job);
            }
            built->session->Commit();
            Exec(db, "COMMIT");
        }
        FinalizeRawInserts(inserts);
        sqlite3_close(db);
        return built;
    }();
    return *fixture;
}

// The time and the syncs of the work measured so far.
struct Tally {
    double seconds = 0;
    long syncs = 0;
};

template <typename Work>
void Add(Tally &tally, Work work) {
    const long syncsBefore = syncCount;
    const auto start = std::chrono::steady_clock::now();
    work();
    tally.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    tally.syncs += syncCount - syncsBefore;
}

// Reports "ms" and "syncs" per iteration, their names followed by `suffix`; returns the seconds.
double Report(benchmark::State &state, const Tally &tally, const std::string &suffix) {
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ms" + suffix] = tally.seconds / iterations * 1e3;
    state.counters["syncs" + suffix] = static_cast<double>(tally.syncs) / iterations;
    return tally.seconds / iterations;
}

// Measures a case; the raw case's time is kept, an engine case's reported against it.
template <typename Work>
void Measure(benchmark::State &state, const std::string &name, bool raw, Work work) {
    Fixture &fixture = TheFixture();
    Tally tally;
    for (auto _ : state) Add(tally, work);
    const double perIteration = Report(state, tally, "");
    if (raw) {
        fixture.rawSeconds[name] = perIteration;
    } else if (fixture.rawSeconds.count(name)) {
        state.counters["vs_raw"] = perIteration / fixture.rawSeconds[name];
    }
}

int nextJob = kJobs + 1;

void SaveRaw(const Fixture &fixture) {
    sqlite3 *db = OpenRaw(fixture);
    RawInserts inserts = PrepareRawInserts(db);
    Exec(db, "BEGIN IMMEDIATE");
    RawInsertJob(fixture, db, inserts, nextJob++);
    Exec(db, "COMMIT");
    FinalizeRawInserts(inserts);
    sqlite3_close(db);
}

void SaveEngine(Fixture &fixture) {
    auto tables = EngineTables(fixture);
    tables::TransactionScope scope(
        *fixture.session,
        {tables[0].get(), tables[1].get(), tables[2].get(), tables[3].get(), tables[4].get(), tables[5].get(),
         tables[6].get(), tables[7].get(), tables[8].get(), tables[9].get()});
    FillJob(fixture, tables, nextJob++);
    scope.Commit();
}

// Save: open the ten tables, append the job to each inside one transaction, commit, close. The
// raw and the engine save take turns, so that both meet the disk in the same state (what a sync
// costs changes much from one moment to the next); "ms_raw" and "syncs_raw" are the raw side's.
void BM_SaveJob(benchmark::State &state) {
    Fixture &fixture = TheFixture();
    Tally raw, engine;
    for (auto _ : state) {
        Add(raw, [&] { SaveRaw(fixture); });
        Add(engine, [&] { SaveEngine(fixture); });
    }
    const double rawSeconds = Report(state, raw, "_raw");
    state.counters["vs_raw"] = Report(state, engine, "") / rawSeconds;
}

// Job list: every GenData record from the first to the last, eight text fields of each.
void BM_ScanJobList_Raw(benchmark::State &state) {
    Fixture &fixture = TheFixture();
    std::string sql = "SELECT ";
    for (int field : kListFields) sql += (sql.size() > 7 ? ", f" : "f") + std::to_string(field);
    sql += " FROM t ORDER BY id";
    Measure(state, "scan", true, [&] {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(fixture.RawPath(0).c_str(), &db, SQLITE_OPEN_READWRITE, tables::FolderSyncVfsName());
        const std::string literal = tables::RawKeyLiteral(fixture.key);
        sqlite3_key(db, literal.data(), static_cast<int>(literal.size()));
        Exec(db, "PRAGMA cipher_page_size = 4096;");
        sqlite3_stmt *scan = nullptr;
        Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &scan, nullptr), db, "prepare");
        size_t bytes = 0;
        while (sqlite3_step(scan) == SQLITE_ROW)
            for (int column = 0; column < static_cast<int>(kListFields.size()); ++column) {
                const std::string text(reinterpret_cast<const char *>(sqlite3_column_text(scan, column)),
                                       sqlite3_column_bytes(scan, column));
                bytes += text.size();
            }
        benchmark::DoNotOptimize(bytes);
        sqlite3_finalize(scan);
        sqlite3_close(db);
    });
}

void BM_ScanJobList_Engine(benchmark::State &state) {
    Fixture &fixture = TheFixture();
    Measure(state, "scan", false, [&] {
        tables::TTable jobs(*fixture.session);
        jobs.SetTableName(fixture.EnginePath(0));
        jobs.SetStructure(fixture.structures[0]);
        jobs.Open();
        size_t bytes = 0;
        for (jobs.First(); !jobs.Eof(); jobs.Next())
            for (int field : kListFields) bytes += jobs.Fields[field].AsString().size();
        benchmark::DoNotOptimize(bytes);
    });
}

// One job back: open the ten tables, go to the job's record in each and read every field.
void BM_ReadJob_Raw(benchmark::State &state) {
    Fixture &fixture = TheFixture();
    int job = 1;
    Measure(state, "read", true, [&] {
        sqlite3 *db = OpenRaw(fixture);
        size_t bytes = 0;
        for (size_t t = 0; t < kShapes.size(); ++t) {
            sqlite3_stmt *select = nullptr;
            Check(sqlite3_prepare_v2(db, ("SELECT * FROM " + RawTable(t) + " WHERE id = ?1").c_str(), -1,
                                     &select, nullptr),
                  db, "prepare");
            sqlite3_bind_int(select, 1, job);
            if (sqlite3_step(select) == SQLITE_ROW)
                for (int column = 1; column <= kShapes[t].width; ++column) {
                    const char *text = reinterpret_cast<const char *>(sqlite3_column_text(select, column));
                    bytes += std::string(text ? text : "").size();
                }
            sqlite3_finalize(select);
        }
        benchmark::DoNotOptimize(bytes);
        sqlite3_close(db);
        job = (job + 997) % kJobs + 1;
    });
}

void BM_ReadJob_Engine(benchmark::State &state) {
    Fixture &fixture = TheFixture();
    int job = 1;
    Measure(state, "read", false, [&] {
        auto tables = EngineTables(fixture);
        size_t bytes = 0;
        for (size_t t = 0; t < kShapes.size(); ++t) {
            tables[t]->SetRecNo(job);
            for (int field = 0; field < kShapes[t].width; ++field)
                bytes += tables[t]->Fields[field].AsString().size();
        }
        benchmark::DoNotOptimize(bytes);
        job = (job + 997) % kJobs + 1;
    });
}

}  // namespace

BENCHMARK(BM_SaveJob)->Unit(benchmark::kMillisecond)->MinTime(4.0);
BENCHMARK(BM_ScanJobList_Raw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanJobList_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadJob_Raw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadJob_Engine)->Unit(benchmark::kMillisecond);
