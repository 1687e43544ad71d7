#pragma once
// The search fields of every job kept in memory, so that a search of the job list reads no record
// that it does not list. One index per job-table file, filled on the first search and kept for the
// program's life: records appended since (saves) are read at the next search, hiding a job marks
// it here too. The search fields of a saved job are never edited, only its hidden flag.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/table.h"
#include "storage/job_list.h"

namespace storage {

class JobSearchIndex {
public:
    // Brings the index up to the open job table: reads the records appended since the last call
    // (every record on the first call, or when the file is no longer the one indexed).
    void CatchUp(tables::TTable &genData);
    // Marks job `recNo` hidden, when it is indexed already.
    void Hide(int recNo);

    int Count() const { return static_cast<int>(jobs_.size()); }
    bool Hidden(int recNo) const { return jobs_[static_cast<size_t>(recNo - 1)].hidden; }
    // The text of the job's field tested by search edit `edit`.
    std::string_view Text(int recNo, int edit) const;

private:
    struct Job {
        uint32_t start[kSearchFieldCount + 1];  // the texts' bounds in `texts_`, by search edit
        bool hidden;
    };
    static Job Read(tables::TTable &genData, std::string &texts);
    static std::string_view TextOf(const std::string &texts, const Job &job, int edit);
    bool SameAsIndexed(tables::TTable &genData);

    std::string path_;
    uint64_t device_ = 0, inode_ = 0;
    std::string texts_;
    std::vector<Job> jobs_;
};

// The index of the open job table's file.
JobSearchIndex &SearchIndexOf(const tables::TTable &genData);

}  // namespace storage
