#pragma once
// The ten job tables of a station that has kept its jobs for years, built for a bench in a
// temporary folder (removed when the run ends): jobs of real width, about 12 KB each over the ten
// tables, written through the table engine in transactions of 5,000 jobs.
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/tables/session.h"
#include "platform/tables/table.h"
#include "storage/job_save.h"

namespace bench {

// STATION_BENCH_JOBS, 10,000 unless set.
int JobCount();
// The serial of job `job` ("SN0000042"): one search text matches one job.
std::string Serial(int job);
// A job as the save writes it: every field its layout lists, texts of the length a job holds.
storage::JobRecord MakeJob(int job);

struct Store {
    explicit Store(int jobs);
    // Writes the jobs; the first 200 GenData2 records hold dictionary entries, as a station's do.
    void Fill();

    std::string Path(int table) const;
    tables::TableKey Key(int table) const;

    std::filesystem::path folder;
    tables::TSession session;
    std::array<std::unique_ptr<tables::TTable>, storage::kJobTableCount> owned;
    storage::JobTables tables{};
    int jobs = 0;
    double bytesPerJob = 0;  // the ten files' size over the jobs, after Fill
};

}  // namespace bench
