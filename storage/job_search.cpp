#include "storage/job_search.h"

#include <sys/stat.h>

#include <map>
#include <memory>

namespace storage {

namespace {

bool Identify(const std::string &path, uint64_t &device, uint64_t &inode) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return false;
    device = status.st_dev;
    inode = status.st_ino;
    return true;
}

}  // namespace

std::string_view JobSearchIndex::TextOf(const std::string &texts, const Job &job, int edit) {
    return std::string_view(texts).substr(job.start[edit], job.start[edit + 1] - job.start[edit]);
}

JobSearchIndex::Job JobSearchIndex::Read(tables::TTable &genData, std::string &texts) {
    Job job{};
    for (int edit = 0; edit < kSearchFieldCount; ++edit) {
        job.start[edit] = static_cast<uint32_t>(texts.size());
        texts += genData.Fields[SearchFieldOf(edit)].AsString();
    }
    job.start[kSearchFieldCount] = static_cast<uint32_t>(texts.size());
    job.hidden = JobHidden(genData);
    return job;
}

std::string_view JobSearchIndex::Text(int recNo, int edit) const {
    return TextOf(texts_, jobs_[static_cast<size_t>(recNo - 1)], edit);
}

// Whether the file is the one indexed: the same file on disk, no fewer records, and the last
// indexed record still as indexed (a file put back from a copy is indexed afresh).
bool JobSearchIndex::SameAsIndexed(tables::TTable &genData) {
    uint64_t device = 0, inode = 0;
    if (genData.Path() != path_ || !Identify(path_, device, inode) || device != device_ || inode != inode_)
        return false;
    if (jobs_.empty()) return true;
    if (genData.RecordCount() < Count()) return false;
    genData.SetRecNo(Count());
    std::string texts;
    const Job last = Read(genData, texts);
    for (int edit = 0; edit < kSearchFieldCount; ++edit)
        if (Text(Count(), edit) != TextOf(texts, last, edit))
            return false;
    return last.hidden == Hidden(Count());
}

void JobSearchIndex::CatchUp(tables::TTable &genData) {
    if (!SameAsIndexed(genData)) {
        path_ = genData.Path();
        Identify(path_, device_, inode_);
        texts_.clear();
        jobs_.clear();
    }
    const int count = genData.RecordCount();
    if (count == Count()) return;
    genData.SetRecNo(Count());
    // A record is indexed whole or not at all: a damaged one raises, and the next search tries it again.
    for (genData.Next(); !genData.Eof(); genData.Next()) {
        const size_t kept = texts_.size();
        try {
            jobs_.push_back(Read(genData, texts_));
        } catch (...) {
            texts_.resize(kept);
            throw;
        }
    }
}

void JobSearchIndex::Hide(int recNo) {
    if (recNo >= 1 && recNo <= Count()) jobs_[static_cast<size_t>(recNo - 1)].hidden = true;
}

JobSearchIndex &SearchIndexOf(const tables::TTable &genData) {
    static std::map<std::string, std::unique_ptr<JobSearchIndex>> indexes;
    std::unique_ptr<JobSearchIndex> &index = indexes[genData.Path()];
    if (!index) index = std::make_unique<JobSearchIndex>();
    return *index;
}

}  // namespace storage
