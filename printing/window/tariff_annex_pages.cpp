#include <algorithm>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/gui/printer.h"
#include "printing/active_tariffs.h"
#include "printing/page_units.h"
#include "printing/tariff_annex.h"
#include "printing/window/annex_b_pages.h"

namespace {

printing::TariffAnnexJob TariffAnnexJobOf(const TForm1 &w) {
    printing::TariffAnnexJob job;
    for (TEdit *edit : {w.Edit7, w.Edit10, w.Edit12, w.Edit15, w.Edit20, w.Edit21, w.Edit22, w.Edit23, w.Edit35,
                        w.Edit38, w.Edit102, w.Edit107, w.Edit110, w.Edit111, w.Edit457, w.Edit458, w.Edit508,
                        w.Edit510})
        job.texts[edit->Name()] = edit->Text();
    job.changeProcedure = w.ChangeProcedureOn();
    job.listInactive = w.Panel323->Color() == clBlack;
    job.approvalRegime = w.ApprovalRegime;
    if (job.changeProcedure) {
        job.params = w.ZuTariffParamsAfter;
        job.groupUnits = w.ZuGroupUnitsAfter;
        job.jdoplaty = w.ZuJdoplatyAfter;
        job.enabled = w.ZuEnabledFlagsAfter;
        std::copy_n(w.LayoutPageCodes.begin() + 4, 4, job.letters.begin());
    } else {
        std::copy_n(w.TariffParams.begin(), 8, job.params.begin());
        job.groupUnits = w.TariffGroupUnits;
        job.jdoplaty = w.TariffJdoplaty;
        job.enabled = w.TariffEnabledFlags;
        job.letters = w.TariffPageCode;
    }
    w.GetActivTaryf(job.active);
    const printing::CalendarDate today = printing::Today();
    job.printDate = QString("%1.%2.%3")
                        .arg(today.day, 2, 10, QChar('0'))
                        .arg(today.month, 2, 10, QChar('0'))
                        .arg(today.year);
    return job;
}

}  // namespace

void TForm1::SetPrintUkladTaryf(TCanvas &canvas, int m) { printing::DrawTariffAnnex(canvas, m, TariffAnnexJobOf(*this)); }

void TForm1::SetPrintUkladTaryfMID(TCanvas &canvas, int m) {
    const printing::TariffAnnexJob job = TariffAnnexJobOf(*this);
    const double end = printing::DrawTariffAnnexMid(canvas, m, job);
    if (Panel283->Color() != clBlack) return;

    // The codes stand side by side below the closing lines, at 23 units at the earliest, with a
    // gap of ten modules between them, measured first so that both stay on the page.
    std::vector<std::string> codes{WriteQR(printing::TariffCodeData(job), 0, 0)};
    if (!job.changeProcedure)
        codes.push_back(WriteQR(printing::IdentityCodeData(job), 0, 1));
    else if (!Label262->Visible())
        codes.push_back(ScannedQrText);
    const int u = printing::WidenedUnit(m), module = u / 20;
    std::vector<int> modules;
    for (const std::string &text : codes) {
        int width = 0, height = 0;
        Barcode2D_QRCode1->SetBarcode(text);
        Barcode2D_QRCode1->DrawToSize(width, height, module, 0);
        modules.push_back(width / std::max(1, module));
    }
    // The page of the run; without one, an A4 portrait page 21 base lengths wide.
    const int pageWidth = PrintPageWidth > 0 ? PrintPageWidth : 21 * m;
    const int pageHeight = PrintDevice != nullptr ? PrintDevice->PageHeight() : pageWidth * 297 / 210;
    const std::vector<printing::SymbolPlace> places =
        printing::PlaceCodeRow(modules, printing::ToPixels(2.1, u),
                               printing::ToPixels(std::max(23.0, end), u), module, pageWidth, pageHeight);
    for (size_t i = 0; i < codes.size(); ++i) {
        Barcode2D_QRCode1->SetBarcode(codes[i]);
        Barcode2D_QRCode1->DrawTo(&canvas, places[i].left, places[i].top, places[i].module, 0);
    }
}
