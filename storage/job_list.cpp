#include "storage/job_list.h"

#include "storage/job_search.h"

namespace storage {

namespace {

// The job-table field each search edit is tested against and the prefix a match gives to the
// row's description (empty: the match gives none), indexed as the search edits.
struct SearchField {
    int field;
    std::string_view prefix;
};
constexpr std::array<SearchField, kSearchFieldCount> kSearchFields{{
    {7, ""},
    {30, ""},
    {26, "nr zlec. "},
    {3, "data zlec. "},
    {21, "zgłasz. "},
    {28, "Osoba wyk. "},
    {18, "vin. "},
    {15, "nr rej. "},
}};
// The order the edits are tested in, which decides whose prefix describes the row.
constexpr std::array<int, kSearchFieldCount> kTestOrder{0, 1, 2, 3, 6, 7, 4, 5};
constexpr int kApplicantEdit = 4;

std::string FirstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

std::string FirstLineIf(bool firstOnly, std::string_view text) {
    return firstOnly ? FirstLine(text) : std::string(text);
}

// Whether job `recNo` matches every active search text; `description` gets the first matching
// field's prefix and text.
bool Matches(const JobSearchIndex &index, int recNo, const SearchTexts &filter, std::string &description) {
    description.clear();
    for (const int edit : kTestOrder) {
        const std::optional<std::string> &pattern = filter[static_cast<size_t>(edit)];
        if (!pattern) continue;
        const std::string_view text = index.Text(recNo, edit);
        if (!CzyZawieraText(text, *pattern)) return false;
        const std::string_view prefix = kSearchFields[static_cast<size_t>(edit)].prefix;
        if (!prefix.empty() && description.empty())
            description = std::string(prefix) + FirstLineIf(edit == kApplicantEdit, text);
    }
    return true;
}

// The row of the current job, or none when `skipHidden` and the job is hidden. A damaged job is
// listed with the error as its description, so that the sound jobs of its page still show.
std::optional<JobListRow> RowOf(tables::TTable &genData, std::string description, bool skipHidden) {
    JobListRow row;
    row.recNo = genData.RecNo();
    try {
        if (skipHidden && JobHidden(genData)) return std::nullopt;
        row.date = genData.Fields[30].AsString();
        row.serial = genData.Fields[7].AsString();
        row.description = description.empty() ? genData.Fields[31].AsString() : std::move(description);
        row.version = FirstLine(genData.Fields[242].AsString());
    } catch (const tables::EDamagedRecord &error) {
        row = JobListRow{row.recNo, {}, {}, error.what(), {}};
    }
    return row;
}

// The page of the jobs matching `filter`, tested in the search index.
JobListPage SearchPage(tables::TTable &genData, int start, const SearchTexts &filter) {
    JobSearchIndex &index = SearchIndexOf(genData);
    index.CatchUp(genData);
    JobListPage page;
    std::string description;
    for (int recNo = start + 1; recNo <= index.Count(); ++recNo) {
        ++page.visited;
        // A damaged job cannot be tested: it is listed, with its error, rather than lost.
        if (index.Hidden(recNo)) continue;
        if (index.Damaged(recNo))
            description.clear();
        else if (!Matches(index, recNo, filter, description))
            continue;
        if (page.rows.empty()) page.pageStart = recNo - 1;
        genData.SetRecNo(recNo);
        page.rows.push_back(*RowOf(genData, description, false));
        if (static_cast<int>(page.rows.size()) == kJobListRows) {
            page.full = true;
            break;
        }
    }
    return page;
}

}  // namespace

int SearchFieldOf(int edit) {
    return kSearchFields.at(static_cast<size_t>(edit)).field;
}

bool JobHidden(tables::TTable &genData) {
    return genData.Fields[kHiddenField].AsString() == "1";
}

// The same as testing every start position, byte by byte: an empty text holds nothing.
bool CzyZawieraText(std::string_view text, std::string_view pattern) {
    return !text.empty() && text.find(pattern) != std::string_view::npos;
}

JobListPage ReadJobPage(tables::TTable &genData, int start, const SearchTexts *filter) {
    JobListPage page;
    if (genData.RecordCount() <= start) return page;
    if (filter) return SearchPage(genData, start, *filter);
    genData.SetRecNo(start);
    page.pageStart = start;
    for (genData.Next(); !genData.Eof(); genData.Next()) {
        ++page.visited;
        std::optional<JobListRow> row = RowOf(genData, std::string(), true);
        if (!row) continue;
        page.rows.push_back(std::move(*row));
        if (static_cast<int>(page.rows.size()) == kJobListRows) {
            page.full = true;
            break;
        }
    }
    return page;
}

void HideJob(tables::TTable &genData, int recNo) {
    genData.SetRecNo(recNo);
    genData.Edit();
    genData.Fields[kHiddenField].SetAsInteger(1);
    genData.Post();
    SearchIndexOf(genData).Hide(recNo);
}

}  // namespace storage
