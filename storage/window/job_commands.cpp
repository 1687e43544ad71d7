// Commands of the job tables: the save screen, the saved-jobs list with its pages, loading and
// hiding a listed job, the regime button and the layout switches of the tariff screen.
#include <span>

#include "app/command_table.h"
#include "app/form1.h"

namespace {

constexpr TColor kRowAskedColor = static_cast<TColor>(0xC0DCC0);

// Puts the window back however the question of command 34 ends.
struct RowAsked {
    TForm1 &form;
    TPanel *row;
    ~RowAsked() {
        row->SetColor(clBtnFace);
        form.SetEnabled(true);
    }
};

}  // namespace

int32_t TForm1::JobListPageStartOfShown() const {
    const auto page = static_cast<size_t>(JobListPage);
    return page < JobListPageStart.size() ? JobListPageStart[page] : 0;
}

void TForm1::OpenSaveScreen() {
    Panel239->Hide();
    Panel38->Hide();
    Panel150->Show();
    Label89->SetCaption(Edit21->Text());
}

void TForm1::CloseSaveScreen() {
    Panel150->Hide();
    Panel239->Show();
}

void TForm1::OpenJobList() {
    ClearPaneDB();
    UpdateEditSzukaj(8);
    ReadDB(JobListPageStartOfShown(), JobListFilterMode);
    Panel239->Hide();
    Panel38->Show();
    PageFunction(0);
    CurrentPage = shell::kNoPage;
    SelectTab(0);
    UpdateEditSzukaj(8);
}

void TForm1::FirstJobPage() {
    UpdateEditSzukaj(8);
    JobListCursor = 0;
    JobListPage = 0;
    ClearPaneDB();
    ReadDB(0, JobListFilterMode);
}

void TForm1::PreviousJobPage() {
    if (JobListPage <= 0) return;
    --JobListPage;
    JobListCursor = JobListPageStartOfShown();
    ClearPaneDB();
    ReadDB(JobListCursor, JobListFilterMode);
}

void TForm1::NextJobPage() {
    if (JobListFull == 0) return;
    ClearPaneDB();
    UpdateEditSzukaj(8);
    ++JobListPage;
    ReadDB(JobListCursor, JobListFilterMode);
}

void TForm1::CloseJobList() {
    JobListCursor = JobListPageStartOfShown();
    Panel38->Hide();
    Panel239->Show();
}

// A listed job opens for viewing, printing and saving again: no working mode lit, the measured
// and tariff fields locked.
void TForm1::LoadListedJob() {
    if (JobListLabels[static_cast<size_t>(ButtonRow)]->Caption() == QStringLiteral("---")) return;
    ReadRec(JobListRecNo[static_cast<size_t>(ButtonRow)]);
    SetLit(Panel163, false);
    SetLit(Panel162, false);
    EnableParametry(false);
    EnableTaryfy(false);
    EnableWynikiLiczniki(false);
    for (TControl *control : std::initializer_list<TControl *>{Button17, Memo5, Edit110, Edit38, Edit7})
        control->SetEnabled(true);
    Panel38->Hide();
    Panel239->Show();
    JobListCursor = JobListPageStartOfShown();
    Panel13->SetEnabled(false);
}

void TForm1::HideListedJob() {
    TPanel *row = JobRowPanels[static_cast<size_t>(ButtonDelRow)];
    row->SetColor(kRowAskedColor);
    SetEnabled(false);
    const RowAsked restored{*this, row};
    if (Application->MessageBox(QStringLiteral("Czy chcesz usunąć wybrany REKORD?"), QStringLiteral("Usuń REKORD!!!"),
                                MB_YESNO) != IDYES)
        return;
    const int32_t cursor = JobListCursor;
    HideRec(JobListRecNo[static_cast<size_t>(ButtonDelRow)]);
    ClearPaneDB();
    UpdateEditSzukaj(8);
    ReadDB(JobListPageStartOfShown(), JobListFilterMode);
    JobListCursor = cursor + 1;
}

void TForm1::RegimeButton() {
    if (MeterFamily == 1) SetTaxiNovitius();
    SetTaksometr(ApprovalRegime != 0);
}

// Commands 36 and 37: the other half of the shown tariff page.
void TForm1::ShowTariffHalf(bool first) {
    Panel240->SetVisible(first);
    Panel242->SetVisible(!first);
    SetPaneleTaryf(MeterFamily, Panel157->Color() == clWhite ? 1 : 2, first ? 1 : 0);
    const int from = first ? 0 : 4;
    for (int t = from; t < from + 4; ++t) UpdatePnelTaryf(t);
    UpdatePnelTaryf(from);
}

// Commands 38 and 39: the other layout on the results or the counters page.
void TForm1::SwitchLayout(int pageToSecond) {
    if (LayoutBase == 8) {
        LayoutBase = 0;
        SetPaneleTaryf(MeterFamily, 4, 1);
    } else {
        LayoutBase = 8;
        SetPaneleTaryf(MeterFamily, pageToSecond, 0);
    }
    TariffSelPanels[0]->SetColor(clBtnShadow);
    UpdatePnelTaryf(0);
}

std::span<const commands::Row> commands::JobTableRows() {
    static constexpr Row rows[] = {
        {3, [](TForm1 &form, int32_t) { form.OpenSaveScreen(); }},
        {4, [](TForm1 &form, int32_t) { form.OpenJobList(); }},
        {5, [](TForm1 &form, int32_t) { form.PreviousJobPage(); }},
        {6, [](TForm1 &form, int32_t) { form.NextJobPage(); }},
        {7, [](TForm1 &form, int32_t) { form.CloseJobList(); }},
        {8, [](TForm1 &form, int32_t) { form.LoadListedJob(); }},
        {9, [](TForm1 &form, int32_t) { form.CloseSaveScreen(); }},
        {10, [](TForm1 &form, int32_t) {
             form.write_gen_db();
             form.CloseSaveScreen();
         }},
        {28, [](TForm1 &form, int32_t) { form.FirstJobPage(); }},
        {33, [](TForm1 &form, int32_t) { form.RegimeButton(); }},
        {34, [](TForm1 &form, int32_t) { form.HideListedJob(); }},
        {36, [](TForm1 &form, int32_t) { form.ShowTariffHalf(false); }},
        {37, [](TForm1 &form, int32_t) { form.ShowTariffHalf(true); }},
        {38, [](TForm1 &form, int32_t) { form.SwitchLayout(3); }},
        {39, [](TForm1 &form, int32_t) { form.SwitchLayout(4); }},
    };
    return rows;
}
