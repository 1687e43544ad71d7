#pragma once
// The search fields of every job kept in memory, so that a search of the job list reads no record
// that it does not list. One index per job-table file, kept for the program's life: filled ahead
// on a thread of its own as soon as the file is open (BuildAhead), or else on the first search;
// records appended since (saves) are read at the next search, hiding a job marks it here too. The
// search fields of a saved job are never edited, only its hidden flag.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/table.h"
#include "storage/job_list.h"

namespace storage {

class JobSearchIndex {
public:
    JobSearchIndex() = default;
    ~JobSearchIndex();  // stops a build ahead and waits for its thread
    JobSearchIndex(const JobSearchIndex &) = delete;
    JobSearchIndex &operator=(const JobSearchIndex &) = delete;

    // Starts reading every job of the file `genData` opened (open or closed now) on a thread of its
    // own, with a connection of its own, a few thousand records per read so that a save never waits
    // long. Does nothing when the index holds jobs or a build runs already. The next CatchUp takes
    // the result over.
    void BuildAhead(const tables::TTable &genData);
    // Whether a build started by BuildAhead has not finished yet (CatchUp would wait for it), after
    // waiting at most `wait` for it to finish.
    bool Building(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) const;

    // Brings the index up to the open job table: takes over a build ahead, then reads the records
    // appended since (every record when nothing was indexed, or when the file is no longer the
    // one indexed).
    void CatchUp(tables::TTable &genData);
    // Marks job `recNo` hidden, when it is indexed already or being indexed.
    void Hide(int recNo);

    int Count() const { return static_cast<int>(jobs_.size()); }
    bool Hidden(int recNo) const { return jobs_[static_cast<size_t>(recNo - 1)].hidden; }
    // Whether the job's record is damaged: its search texts are unknown (empty here).
    bool Damaged(int recNo) const { return jobs_[static_cast<size_t>(recNo - 1)].damaged; }
    // The text of the job's field tested by search edit `edit`.
    std::string_view Text(int recNo, int edit) const;

    struct Job {
        uint32_t start[kSearchFieldCount + 1];  // the texts' bounds in the texts, by search edit
        bool hidden;
        bool damaged;
    };
    // What a build ahead read: the jobs from the first on, as far as the file held intact records.
    struct Built {
        std::string path;
        tables::FileIdentity identity;
        std::string texts;
        std::vector<Job> jobs;
    };

private:
    static std::string_view TextOf(const std::string &texts, const Job &job, int edit);
    // The current job of `genData`, its texts appended to `texts`; a damaged record gives a job
    // marked damaged with no texts.
    static Job JobOf(tables::TTable &genData, std::string &texts);
    bool SameAsIndexed(tables::TTable &genData);
    void TakeBuilt(tables::TTable &genData);

    std::string path_;
    tables::FileIdentity identity_;
    std::string texts_;
    std::vector<Job> jobs_;

    std::future<Built> build_;
    std::atomic<bool> stopBuild_{false};
    std::vector<int> hiddenWhileBuilding_;
};

// The index of the job table's file.
JobSearchIndex &SearchIndexOf(const tables::TTable &genData);

}  // namespace storage
