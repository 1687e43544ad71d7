// The saved-jobs screen of the main window: the list pages, the search edits and hiding a job.
#include <chrono>

#include "app/form1.h"
#include "storage/job_search.h"

namespace {

constexpr TColor kInactiveSearchColor = static_cast<TColor>(0x8000001C);

QString Text(const std::string &utf8) {
    return QString::fromStdString(utf8);
}

// Closes the table however the operation ends.
struct TableClosed {
    TTable &table;
    ~TableClosed() { table.Close(); }
};

}  // namespace

// A search typed while the jobs' search index is still being read ahead waits for it with the
// window alive (painting, its timers running) but closed to input, so that nothing else starts
// meanwhile; the search then answers from the whole index.
void TForm1::AwaitSearchIndex() {
    storage::JobSearchIndex &index = storage::SearchIndexOf(Table1->Table());
    if (!index.Building()) return;
    const bool enabled = Enabled();
    SetEnabled(false);
    while (index.Building(std::chrono::milliseconds(20))) Application->ProcessMessages();
    SetEnabled(enabled);
}

void TForm1::ReadDB(int start, uint8_t filtering) {
    if (filtering) AwaitSearchIndex();
    TableClosed closer{*Table1};
    Table1->Table().HoldRead();  // one read of the file for the whole page
    Table1->Open();
    // The job on screen keeps its tested tariffs: the list may be left without loading a job
    // (ReadRec clears them when one is loaded).

    storage::SearchTexts texts;
    for (size_t i = 0; i < SzukajEdits.size(); ++i)
        if (SzukajEdits[i]->Color() == clWhite) texts[i] = SzukajEdits[i]->Text().toStdString();
    const storage::JobListPage page = storage::ReadJobPage(Table1->Table(), start, filtering ? &texts : nullptr);

    if (page.pageStart) {
        if (JobListPageStart.size() <= static_cast<size_t>(JobListPage))
            JobListPageStart.resize(static_cast<size_t>(JobListPage) + 1);
        JobListPageStart[static_cast<size_t>(JobListPage)] = *page.pageStart;
    }
    for (size_t row = 0; row < page.rows.size(); ++row) SetPanelRec(static_cast<int>(row), page.rows[row]);
    JobListCursor += page.visited;
    JobListFull = page.full ? 1 : 0;
}

void TForm1::SetPanelRec(int row, const storage::JobListRow &job) {
    const auto cell = [&](int column) { return JobListLabels[static_cast<size_t>(20 * column + row)]; };
    cell(0)->SetCaption(QString::number(row + JobListPage * storage::kJobListRows + 1) + ".");
    cell(1)->SetCaption(Text(job.date));
    cell(2)->SetCaption(Text(job.serial));
    cell(3)->SetCaption(Text(job.description));
    cell(4)->SetCaption(Text(job.version));
    JobListRecNo[static_cast<size_t>(row)] = job.recNo;
}

void TForm1::HideRec(int recNo) {
    TableClosed closer{*Table1};
    Table1->Open();
    storage::HideJob(Table1->Table(), recNo);
}

void TForm1::UpdateEditSzukaj(int index) {
    JobListFilterMode = 0;
    for (size_t i = 0; i < SzukajEdits.size(); ++i) {
        TEdit *edit = SzukajEdits[i];
        if (static_cast<int>(i) != index && edit->Text().isEmpty()) {
            edit->Font().SetColor(clGray);
            edit->SetText(edit->Hint());
            edit->Font().SetStyle(fsItalic);
            edit->SetColor(kInactiveSearchColor);
        }
        if (edit->Font().Color() != clGray) JobListFilterMode = 1;
    }
}

void TForm1::ClickEditSzukaj(int index) {
    TEdit *edit = SzukajEdits[static_cast<size_t>(index)];
    if (edit->Font().Color() == clGray) {
        edit->Font().SetColor(clBlack);
        edit->SetText(QString());
        edit->Font().SetStyle(0);
        edit->SetColor(clWhite);
    }
    UpdateEditSzukaj(index);
}

void TForm1::Edit466Click(TObject *) { ClickEditSzukaj(0); }
void TForm1::Edit465Click(TObject *) { ClickEditSzukaj(1); }
void TForm1::Edit467Click(TObject *) { ClickEditSzukaj(2); }
void TForm1::Edit468Click(TObject *) { ClickEditSzukaj(3); }
void TForm1::Edit470Click(TObject *) { ClickEditSzukaj(4); }
void TForm1::Edit469Click(TObject *) { ClickEditSzukaj(5); }
void TForm1::Edit471Click(TObject *) { ClickEditSzukaj(6); }
void TForm1::Edit472Click(TObject *) { ClickEditSzukaj(7); }
