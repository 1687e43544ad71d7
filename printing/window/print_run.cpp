#include <functional>

#include "app/form1.h"
#include "printing/page_text.h"
#include "printing/page_units.h"
#include "printing/print_job.h"
#include "printing/print_run_plan.h"

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

using PageOperation = std::function<void(TCanvas &canvas, int m)>;

// The drawing of a planned page; none for the pages this program does not draw yet, which the
// run leaves out.
PageOperation OperationOf(TForm1 &window, const printing::PlannedPage &page) {
    switch (page.kind) {
        case printing::PageKind::CheckProtocol:
            return [&window](TCanvas &canvas, int m) {
                const int pages = window.PrintedTariffCount + 1;
                window.SetPrintAddingPage(canvas, m, pages, pages, 0);
                SetPrintVerSoft(canvas, m);
            };
        default:
            return {};
    }
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

}  // namespace

void TForm1::PrintFromOptionsScreen() {
    Panel7->Hide();
    Panel155->Show();
    const ShownWhenDone mainScreen(Panel239, true);
    const ShownWhenDone notice(Panel155, false);
    Drukuj();
}

void TForm1::Drukuj() {
    if (!PrintDialog1->Execute()) return;

    std::array<bool, 16> marked{};
    for (int slot = 0; slot < 16; ++slot) marked[slot] = !TestedTariffNames[slot].isEmpty();
    const std::vector<int> tested = printing::TestedSlots(marked);
    PrintedTariffCount = static_cast<int>(tested.size());

    PrintDevice = Printer();
    PrintDevice->SetTitle("Kestrium-" + Edit21->Text());
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
        std::vector<PageOperation> pages;
        for (const printing::PlannedPage &page : job.pages) {
            if (PageOperation draw = OperationOf(*this, page)) pages.push_back(std::move(draw));
        }
        if (pages.empty()) continue;

        printing::PrintJobScope printJob(*PrintDevice);
        TCanvas &canvas = *PrintDevice->Canvas();
        SetBaseFont(canvas);
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) PrintDevice->NewPage();
            pages[i](canvas, m);
        }
        printJob.End();
    }
}
