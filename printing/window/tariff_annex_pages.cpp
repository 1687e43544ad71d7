#include <algorithm>

#include "app/form1.h"
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
    // gap of ten modules between them.
    const int u = printing::WidenedUnit(m), module = u / 20;
    const int top = printing::ToPixels(std::max(23.0, end), u);
    int left = printing::ToPixels(2.1, u);
    const auto draw = [&](const std::string &text) {
        int width = 0, height = 0;
        Barcode2D_QRCode1->SetBarcode(text);
        Barcode2D_QRCode1->DrawTo(&canvas, left, top, module, 0);
        Barcode2D_QRCode1->DrawToSize(width, height, module, 0);
        left += width + 10 * module;
    };
    draw(WriteQR(printing::TariffCodeData(job), 0, 0));
    if (!job.changeProcedure)
        draw(WriteQR(printing::IdentityCodeData(job), 0, 1));
    else if (!Label262->Visible())
        draw(ScannedQrText);
}
