#include "printing/window/page_operations.h"

#include "app/form1.h"
#include "printing/page_text.h"

namespace printing {

PageOperation PageOperationOf(TForm1 &window, const PlannedPage &page) {
    switch (page.kind) {
        case PageKind::CheckProtocol:
            return [&window](TCanvas &canvas, int m) {
                const int pages = window.PrintedTariffCount + 1;
                window.SetPrintAddingPage(canvas, m, pages, pages, 0);
                SetPrintVerSoft(canvas, m);
            };
        case PageKind::ChangeAnnex:
            return [&window](TCanvas &canvas, int m) {
                window.SetPrintImageTivarZU(canvas, m, 1, 1);
                SetPrintVerSoft(canvas, m);
            };
        case PageKind::ChangeProtocol:
            return [&window](TCanvas &canvas, int m) { window.SetPrintTivarProtZU(canvas, m); };
        case PageKind::CourseAnnex:
            return [&window](TCanvas &canvas, int m) { window.SetPrintLumerant(canvas, m); };
        case PageKind::InspectionAnnex:
            return [&window](TCanvas &canvas, int m) {
                window.SetPrintOgledziny(canvas, m);
                SetPrintVerSoft(canvas, m);
            };
        case PageKind::AnnexBFirstTivar:
            return [&window, page](TCanvas &canvas, int m) {
                window.SetPrintImageTivar(canvas, m, page.pages, page.page);
            };
        case PageKind::AnnexBFirstNovitius:
            return [&window, page](TCanvas &canvas, int m) {
                window.SetPrintImageNovitius(canvas, m, page.pages, page.page);
                SetPrintVerSoft(canvas, m);
            };
        case PageKind::AnnexBResults:
            return [&window, page](TCanvas &canvas, int m) {
                window.SetPrintImageWyniki(canvas, m, page.pages, page.page, static_cast<uint8_t>(page.slot));
                if (window.MeterFamily != 1) SetPrintVerSoft(canvas, m);
            };
        case PageKind::Certificate:
            return [&window](TCanvas &canvas, int m) {
                const int pages = window.PrintedTariffCount + 1;
                window.SetPrintAddingPage6(canvas, m, pages, pages, 0);
                SetPrintVerSoft(canvas, m);
            };
        case PageKind::TariffAnnex:
            return [&window](TCanvas &canvas, int m) {
                window.SetPrintUkladTaryf(canvas, m);
                SetPrintVerSoft(canvas, m);
            };
        case PageKind::TariffAnnexMid:
            return [&window](TCanvas &canvas, int m) {
                window.SetPrintUkladTaryfMID(canvas, m);
                SetPrintVerSoft(canvas, m);
            };
    }
    return {};
}

}  // namespace printing
