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
        case PageKind::CourseAnnex:
            return [&window](TCanvas &canvas, int m) { window.SetPrintLumerant(canvas, m); };
        case PageKind::InspectionAnnex:
            return [&window](TCanvas &canvas, int m) {
                window.SetPrintOgledziny(canvas, m);
                SetPrintVerSoft(canvas, m);
            };
        default:
            return {};
    }
}

}  // namespace printing
