#include "bench/support/job_tables.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace bench {

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

namespace {

void WriteField(tables::TTable &table, int field, const storage::FieldValue &value) {
    if (const auto *text = std::get_if<std::string>(&value))
        table.Fields[field].SetAsString(*text);
    else if (const auto *number = std::get_if<int32_t>(&value))
        table.Fields[field].SetAsInteger(*number);
    else
        table.Fields[field].SetAsBoolean(std::get<bool>(value));
}

}  // namespace

Store::Store(int count) : jobs(count) {
    std::string pattern = (std::filesystem::temp_directory_path() / "job-tables-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder = pattern;
    static std::vector<std::filesystem::path> made;  // removed when the run ends
    if (made.empty()) std::atexit([] {
            for (const auto &path : made) std::filesystem::remove_all(path);
        });
    made.push_back(folder);
    for (int t = 0; t < kJobTableCount; ++t) {
        const storage::TableFile &file = storage::TableFileOf(t + 1);
        session.AddPassword(file.password);
        auto &table = owned[static_cast<size_t>(t)];
        table = std::make_unique<tables::TTable>(session);
        table->SetTableName(Path(t));
        table->SetStructure(storage::StructureOf(t));
        table->SetNewFilePassword(file.password);
        tables[static_cast<size_t>(t)] = table.get();
    }
}

std::string Store::Path(int t) const {
    return (folder / storage::TableFileOf(t + 1).file).string();
}

tables::TableKey Store::Key(int t) const {
    return tables::DeriveTableKey(storage::TableFileOf(t + 1).password);
}

void Store::Fill() {
    for (tables::TTable *table : tables) table->Open();
    auto &t = tables;
    constexpr int kBatch = 5000;
    for (int first = 1; first <= jobs; first += kBatch) {
        tables::TransactionScope scope(session, {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]});
        for (int job = first; job < first + kBatch && job <= jobs; ++job) {
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
    for (tables::TTable *table : tables) table->Close();
    uintmax_t bytes = 0;
    for (int n = 0; n < kJobTableCount; ++n) bytes += std::filesystem::file_size(Path(n));
    bytesPerJob = static_cast<double>(bytes) / jobs;
}

}  // namespace bench
