#include "storage/job_search.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>

#include "platform/tables/record_codec.h"
#include "platform/tables/sqlite_link.h"
#include "platform/tables/table_file.h"

namespace storage {

namespace {

// Records read by a build ahead in one read of the file: a save waits for at most one such read.
constexpr int kBuildChunk = 2048;

// Appends a job's search texts to `texts`; `text(field)` gives a field as AsString reads it.
template <class FieldText>
JobSearchIndex::Job SearchTextsOf(FieldText text, std::string &texts) {
    JobSearchIndex::Job job{};
    for (int edit = 0; edit < kSearchFieldCount; ++edit) {
        job.start[edit] = static_cast<uint32_t>(texts.size());
        texts += text(SearchFieldOf(edit));
    }
    job.start[kSearchFieldCount] = static_cast<uint32_t>(texts.size());
    job.hidden = text(kHiddenField) == "1";
    return job;
}

// A job whose record is damaged: no texts (at `at` in the texts), not hidden; every search lists it
// so that the damage shows instead of the job missing.
JobSearchIndex::Job DamagedJob(size_t at) {
    JobSearchIndex::Job job{};
    std::fill(std::begin(job.start), std::end(job.start), static_cast<uint32_t>(at));
    job.damaged = true;
    return job;
}

// The build ahead, on its own thread and connection: the jobs from record 1 on, in order, up to
// the first record missing (the window's thread reads from there); a damaged record is marked.
JobSearchIndex::Built BuildIndex(std::string path, std::string name, tables::TableKey key,
                                 tables::TableStructure structure, const std::atomic<bool> &stop) {
    JobSearchIndex::Built built;
    built.path = path;
    if (const auto identity = tables::IdentityOf(path)) built.identity = *identity;
    const tables::TableKey keys[] = {key};
    tables::OpenedFile file = tables::OpenTableFile(path, name, structure, keys, nullptr);
    tables::Connection &link = *file.connection;
    tables::Statement rows =
        link.Prepare("SELECT id, data FROM records WHERE id > ?1 ORDER BY id LIMIT ?2", name);
    tables::RecordView view;
    tables::FieldValue value;
    bool intact = true;
    const auto text = [&](int field) {
        intact = intact && view.Read(field, value);
        return tables::AsString(structure.fieldTypes[static_cast<size_t>(field)], value);
    };
    for (bool more = true; more && !stop;) {
        sqlite3_bind_int(rows.get(), 1, static_cast<int>(built.jobs.size()));
        sqlite3_bind_int(rows.get(), 2, kBuildChunk);
        int read = 0;
        while (more && link.Step(rows, name)) {
            ++read;
            const size_t kept = built.texts.size();
            if (sqlite3_column_int(rows.get(), 0) != static_cast<int>(built.jobs.size()) + 1) {
                more = false;
                break;
            }
            view.Reset(static_cast<const uint8_t *>(sqlite3_column_blob(rows.get(), 1)),
                       static_cast<size_t>(sqlite3_column_bytes(rows.get(), 1)), structure);
            intact = true;
            const JobSearchIndex::Job job = SearchTextsOf(text, built.texts);
            if (!intact || !view.Whole()) {
                built.texts.resize(kept);
                built.jobs.push_back(DamagedJob(kept));
                continue;
            }
            built.jobs.push_back(job);
        }
        rows.Reset();  // ends the read: a save may go on
        more = more && read == kBuildChunk;
    }
    return built;
}

}  // namespace

JobSearchIndex::~JobSearchIndex() {
    stopBuild_ = true;
    if (build_.valid()) build_.wait();
}

std::string_view JobSearchIndex::TextOf(const std::string &texts, const Job &job, int edit) {
    return std::string_view(texts).substr(job.start[edit], job.start[edit + 1] - job.start[edit]);
}

JobSearchIndex::Job JobSearchIndex::JobOf(tables::TTable &genData, std::string &texts) {
    const size_t kept = texts.size();
    try {
        return SearchTextsOf([&](int field) { return genData.Fields[field].AsString(); }, texts);
    } catch (const tables::EDamagedRecord &) {
        texts.resize(kept);
        return DamagedJob(kept);
    }
}

std::string_view JobSearchIndex::Text(int recNo, int edit) const {
    return TextOf(texts_, jobs_[static_cast<size_t>(recNo - 1)], edit);
}

void JobSearchIndex::BuildAhead(const tables::TTable &genData) {
    if (!jobs_.empty() || Building() || genData.Path().empty()) return;
    hiddenWhileBuilding_.clear();  // a finished build not taken over is read anew
    build_ = std::async(std::launch::async, BuildIndex, genData.Path(), genData.TableName(), genData.Key(),
                        genData.Structure(), std::cref(stopBuild_));
}

bool JobSearchIndex::Building(std::chrono::milliseconds wait) const {
    return build_.valid() && build_.wait_for(wait) != std::future_status::ready;
}

// Takes a build ahead over when the index is empty and the build read the file open now; the
// jobs hidden meanwhile are marked again (the build may have read them before).
void JobSearchIndex::TakeBuilt(tables::TTable &genData) {
    if (!build_.valid()) return;
    Built built;
    try {
        built = build_.get();
    } catch (...) {
        return;  // the window's thread reads the file itself and reports what fails
    }
    if (!jobs_.empty() || built.path != genData.Path() || built.identity != genData.Identity()) return;
    path_ = std::move(built.path);
    identity_ = built.identity;
    texts_ = std::move(built.texts);
    jobs_ = std::move(built.jobs);
    for (const int recNo : hiddenWhileBuilding_) Hide(recNo);
    hiddenWhileBuilding_.clear();
}

// Whether the file is the one indexed: the same file on disk, no fewer records, and the last
// indexed record still as indexed (a file put back from a copy is indexed afresh).
bool JobSearchIndex::SameAsIndexed(tables::TTable &genData) {
    if (genData.Path() != path_ || genData.Identity() != identity_ || !genData.SameFile()) return false;
    if (jobs_.empty()) return true;
    if (genData.RecordCount() < Count()) return false;
    genData.SetRecNo(Count());
    std::string texts;
    const Job last = JobOf(genData, texts);
    if (last.damaged || Damaged(Count())) return last.damaged == Damaged(Count());
    for (int edit = 0; edit < kSearchFieldCount; ++edit)
        if (Text(Count(), edit) != TextOf(texts, last, edit)) return false;
    return last.hidden == Hidden(Count());
}

void JobSearchIndex::CatchUp(tables::TTable &genData) {
    TakeBuilt(genData);
    if (!SameAsIndexed(genData)) {
        path_ = genData.Path();
        identity_ = genData.Identity();
        texts_.clear();
        jobs_.clear();
    }
    const int count = genData.RecordCount();
    if (count == Count()) return;
    genData.SetRecNo(Count());
    // A record is indexed whole or not at all: a read that fails raises, and the next search tries
    // it again; a damaged record is indexed as such.
    for (genData.Next(); !genData.Eof(); genData.Next()) {
        const size_t kept = texts_.size();
        try {
            jobs_.push_back(JobOf(genData, texts_));
        } catch (...) {
            texts_.resize(kept);
            throw;
        }
    }
}

void JobSearchIndex::Hide(int recNo) {
    if (build_.valid()) hiddenWhileBuilding_.push_back(recNo);
    if (recNo >= 1 && recNo <= Count()) jobs_[static_cast<size_t>(recNo - 1)].hidden = true;
}

JobSearchIndex &SearchIndexOf(const tables::TTable &genData) {
    static std::map<std::string, std::unique_ptr<JobSearchIndex>> indexes;
    std::unique_ptr<JobSearchIndex> &index = indexes[genData.Path()];
    if (!index) index = std::make_unique<JobSearchIndex>();
    return *index;
}

}  // namespace storage
