#include "storage/job_list.h"

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

std::string FirstLine(const std::string &text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// Whether the current job matches every active search text; `description` gets the first
// matching field's prefix and text.
bool Matches(tables::TTable &genData, const SearchTexts &filter, std::string &description) {
    description.clear();
    for (const int index : kTestOrder) {
        const std::optional<std::string> &pattern = filter[static_cast<size_t>(index)];
        if (!pattern) continue;
        const SearchField &search = kSearchFields[static_cast<size_t>(index)];
        const std::string text = genData.Fields[search.field].AsString();
        if (!CzyZawieraText(text, *pattern)) return false;
        if (!search.prefix.empty() && description.empty())
            description = std::string(search.prefix) + (index == kApplicantEdit ? FirstLine(text) : text);
    }
    return true;
}

JobListRow RowOf(tables::TTable &genData, std::string description) {
    JobListRow row;
    row.recNo = genData.RecNo();
    row.date = genData.Fields[30].AsString();
    row.serial = genData.Fields[7].AsString();
    row.description = description.empty() ? genData.Fields[31].AsString() : std::move(description);
    row.version = FirstLine(genData.Fields[242].AsString());
    return row;
}

}  // namespace

bool CzyZawieraText(std::string_view text, std::string_view pattern) {
    for (size_t at = 0; at < text.size(); ++at)
        if (text.substr(at, pattern.size()) == pattern) return true;
    return false;
}

JobListPage ReadJobPage(tables::TTable &genData, int start, const SearchTexts *filter) {
    JobListPage page;
    if (genData.RecordCount() <= start) return page;
    genData.SetRecNo(start);
    if (!filter) page.pageStart = start;
    std::string description;
    for (genData.Next(); !genData.Eof(); genData.Next()) {
        ++page.visited;
        if (genData.Fields[kHiddenField].AsString() == "1") continue;
        if (filter && !Matches(genData, *filter, description)) continue;
        if (filter && page.rows.empty()) page.pageStart = genData.RecNo() - 1;
        page.rows.push_back(RowOf(genData, filter ? description : std::string()));
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
}

}  // namespace storage
