#pragma once
// The saved-jobs list over the job table: twenty jobs to a page in record order, hidden jobs
// skipped, optionally narrowed by the eight search texts; and hiding a job. No window here.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/table.h"

namespace storage {

inline constexpr int kJobListRows = 20;
inline constexpr int kSearchFieldCount = 8;
inline constexpr int kHiddenField = 47;

// The job-table field that search edit `edit` (0..7) is tested against.
int SearchFieldOf(int edit);
// Whether the current job of the open job table is hidden.
bool JobHidden(tables::TTable &genData);

// True when `pattern` occurs in `text` (byte by byte, case-sensitive). An empty text holds nothing,
// not even an empty pattern.
bool CzyZawieraText(std::string_view text, std::string_view pattern);

// The text of each active search edit, indexed as the search edits (unset = inactive).
using SearchTexts = std::array<std::optional<std::string>, kSearchFieldCount>;

// One listed job: its record number and the texts of its list cells.
struct JobListRow {
    int recNo = 0;
    std::string date;         // field 30
    std::string serial;       // field 7
    std::string description;  // the filter's description, else field 31; for a damaged job the error
    std::string version;      // first line of field 242
};

struct JobListPage {
    std::vector<JobListRow> rows;
    bool full = false;             // stopped at a full page: more records may follow
    int visited = 0;               // records walked, to advance the caller's cursor by
    std::optional<int> pageStart;  // the record number before the page's first row, when known
};

// Reads the page that follows record number `start` (0 = from the first record) of the open job
// table. With `filter`, only jobs matching every active search text are listed; the search reads
// the search fields from the file's search index (job_search.h), only the listed jobs from the
// table. A start at or past the last record gives an empty, not full page with nothing visited.
// A damaged job keeps its row, described by the error ("record N is damaged"), in a search too
// (its fields cannot be tested); the sound jobs of the page are listed as usual.
JobListPage ReadJobPage(tables::TTable &genData, int start, const SearchTexts *filter);

// Marks job `recNo` (1-based) of the open job table hidden; out of range raises the table's error.
void HideJob(tables::TTable &genData, int recNo);

}  // namespace storage
