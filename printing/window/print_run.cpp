// The print run: the print dialog, the station's seal-description setting, then the landscape job
// of annex B and the portrait job of the other documents, each page drawn by its own operation.
#include <QDir>
#include <optional>

#include "app/form1.h"
#include "printing/page_units.h"
#include "printing/print_job.h"
#include "printing/print_run_plan.h"
#include "printing/window/page_operations.h"

namespace {

// The face and size every job's canvas starts with; the check protocol draws in them.
void SetBaseFont(TCanvas &canvas) {
    TFont &font = canvas.Font();
    font.SetName("Times New Roman");
    font.SetSize(9);
    font.SetStyle(0);
    font.SetColor(clBlack);
}

bool IsBlack(const TPanel *tickBox) {
    return tickBox->Color() == clBlack;
}
bool IsWhite(const TPanel *tickBox) {
    return tickBox->Color() == clWhite;
}

// Restores a screen's visibility when the scope ends, however it ends.
class ShownWhenDone {
public:
    ShownWhenDone(TControl *control, bool visible) : control_(control), visible_(visible) {}
    ShownWhenDone(const ShownWhenDone &) = delete;
    ShownWhenDone &operator=(const ShownWhenDone &) = delete;
    ~ShownWhenDone() { control_->SetVisible(visible_); }

private:
    TControl *control_;
    bool visible_;
};

// The base-run switches of the second annex B set are back at rest however the job ends.
class BaseRunAtRest {
public:
    explicit BaseRunAtRest(TForm1 &window) : window_(window) {}
    BaseRunAtRest(const BaseRunAtRest &) = delete;
    BaseRunAtRest &operator=(const BaseRunAtRest &) = delete;
    ~BaseRunAtRest() {
        window_.PrintBaseRun = 0;
        if (secondSetBegun) window_.VehicleResults = 1;
    }
    bool secondSetBegun = false;

private:
    TForm1 &window_;
};

}  // namespace

void TForm1::PrintFromOptionsScreen() {
    Panel7->Hide();
    Panel155->Show();
    const ShownWhenDone mainScreen(Panel239, true);
    const ShownWhenDone notice(Panel155, false);
    Drukuj();
}

void TForm1::StorePrintSealOption() {
    struct Closed {
        TTable &table;
        ~Closed() { table.Close(); }
    } closed{*Table1};
    Table1->Open();
    // A station without any saved job has no first record to hold the setting.
    if (Table1->RecordCount() < 1) return;
    Table1->First();
    Table1->Edit();
    Table1->Fields()[48].SetAsInteger(IsBlack(Panel277) ? 1 : 0);
    Table1->Post();
}

void TForm1::SelectSlotForRelativeRun(int slot, uint8_t flag) {
    // The other family marks only slots 0 .. 7 and keeps its layout; a slot of the second layout
    // (a job from elsewhere) is shown in that layout rather than past the eight tariff buttons.
    if (MeterFamily == 1 || slot > 7) {
        LayoutBase = slot <= 7 ? 0 : 8;
        CurrentTariff = slot <= 7 ? slot : slot - 8;
    } else {
        CurrentTariff = slot;
    }
    FunctionDroga();
    WstawWyniki(flag);
    Panel409->SetColor(flag == 1 ? clWhite : clBlack);
    TariffSelPanels[CurrentTariff]->SetColor(clBtnShadow);
    UpdatePnelTaryf(CurrentTariff);
}

void TForm1::Drukuj() {
    const int rememberedTariff = CurrentTariff;
    const QString title = "Kestrium-" + Edit21->Text();
    PrintDialog1->SetDocument(title, QDir::current().filePath(PrintFileName(title, Data())));
    if (!PrintDialog1->Execute()) return;

    StorePrintSealOption();

    std::array<bool, 16> marked{};
    for (int slot = 0; slot < 16; ++slot) marked[slot] = !TestedTariffNames[slot].isEmpty();
    const std::vector<int> tested = printing::TestedSlots(marked);
    PrintedTariffCount = static_cast<int>(tested.size());

    PrintDevice = Printer();
    PrintDevice->SetTitle(title);
    PrintPageWidth = PrintDevice->PageWidth();
    PrintScale = PrintPageWidth > 0 ? 4961.0f / static_cast<float>(PrintPageWidth) : 0.0f;

    printing::PrintChoices choices;
    choices.annexB = IsBlack(Panel246);
    choices.protocol = IsBlack(Panel247);
    choices.courseAnnex = IsBlack(Panel405);
    choices.inspectionAnnex = IsBlack(Panel248);
    choices.certificate = IsBlack(Panel249);
    choices.tariffAnnex = IsBlack(Panel250);
    choices.secondSetOnBase = IsWhite(Panel410);
    choices.changeProcedureOn = IsWhite(Panel342);
    choices.meterFamily = MeterFamily;
    choices.relativeToK = CalcRelativeToK != 0;

    for (const printing::PlannedJob &job : printing::PlanPrintRun(choices, tested)) {
        PrintDevice->SetOrientation(job.orientation);
        PrintPageWidth = PrintDevice->PageWidth();
        const int m = printing::BaseLength(PrintPageWidth, job.orientation);

        // The job is begun with its first drawn page: a job none of whose pages is drawn would give
        // a blank sheet. The relative-to-k switches are made for every planned page all the same.
        BaseRunAtRest baseRun(*this);
        std::optional<printing::PrintJobScope> printJob;
        for (const printing::PlannedPage &page : job.pages) {
            if (page.kind == printing::PageKind::AnnexBResults && choices.relativeToK) {
                // The results relative to k are shown for the slot, then its base-run results.
                if (!page.secondSet && IsBlack(Panel409)) SelectSlotForRelativeRun(page.slot, 1);
                if (page.secondSet && IsWhite(Panel409)) SelectSlotForRelativeRun(page.slot, 0);
            }
            if (page.secondSet && !baseRun.secondSetBegun) {
                baseRun.secondSetBegun = true;
                VehicleResults = 0;
            }
            PrintBaseRun = page.baseRun ? 1 : 0;

            const printing::PageOperation draw = printing::PageOperationOf(*this, page);
            if (printJob) {
                PrintDevice->NewPage();
            } else {
                printJob.emplace(*PrintDevice);
                SetBaseFont(*PrintDevice->Canvas());
            }
            draw(*PrintDevice->Canvas(), m);
        }
        if (printJob) printJob->End();
    }

    UpdatePnelTaryf(rememberedTariff);
    const QStringList written = PrintDevice->WrittenFiles();
    PrintedFilesLabel->SetCaption(written.isEmpty() ? QString() : "Zapisano: " + written.join(", "));
}

QString TForm1::PrintFileName(const QString &title, const QString &date) {
    QString name = title + "_" + date;
    // Nothing of the meter's number may lead out of the folder or trouble a file manager.
    for (QChar &c : name)
        if (!c.isLetterOrNumber() && c != '-' && c != '_') c = '_';
    return name + ".pdf";
}
