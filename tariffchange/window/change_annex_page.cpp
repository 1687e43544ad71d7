// The annex of the tariff-layout change procedure, drawn from the window's controls and the
// layout copy, with its QR code.
#include "app/form1.h"
#include "printing/window/annex_b_pages.h"
#include "tariffchange/change_annex.h"

void TForm1::SetPrintImageTivarZU(TCanvas &canvas, int m, int, int) {
    tariffchange::ChangeAnnexJob annex;
    // The remarks are taken as they stand before the verdict below rewrites them.
    annex.job = printing::AnnexJobOf(*this);
    for (int n : {498, 499, 500, 501, 502, 503, 504, 505, 506, 507, 518, 519, 520, 521, 522, 523, 524})
        annex.job.texts["Edit" + QString::number(n)] = ControlText("Edit" + std::to_string(n));
    annex.layouts = this;
    annex.letters = LayoutPageCodes;
    annex.procedureOn = ChangeProcedureOn();
    for (size_t g = 0; g < TariffGroupTexts.size(); ++g) {
        annex.jobValidity[2 * g] = TariffGroupTexts[g][0].toStdString();
        annex.jobValidity[2 * g + 1] = TariffGroupTexts[g][1].toStdString();
    }
    annex.verdictNegative = GetStatusOgledzinZU();
    tariffchange::DrawChangeAnnex(canvas, m, annex);
    const printing::SymbolPlace place = tariffchange::ChangeAnnexCodePlace(m);
    Barcode2D_QRCode1->SetBarcode(WriteQR(tariffchange::ChangeAnnexCodeData(annex.job), 0, 1));
    Barcode2D_QRCode1->DrawTo(&canvas, place.left, place.top, place.module, 0);
}
