#include "printing/window/annex_b_pages.h"

#include "app/form1.h"
#include "platform/runtime/datetime.h"
#include "printing/annex_first_page.h"
#include "printing/annex_results.h"

namespace printing {

CalendarDate Today() {
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    return {year, month, day};
}

AnnexJob AnnexJobOf(TForm1 &w) {
    AnnexJob job;
    for (const char *name : {"Edit7",   "Edit8",   "Edit9",   "Edit10",  "Edit12",  "Edit14",  "Edit15",
                             "Edit20",  "Edit21",  "Edit22",  "Edit23",  "Edit24",  "Edit25",  "Edit27",
                             "Edit28",  "Edit35",  "Edit38",  "Edit102", "Edit107", "Edit108", "Edit109",
                             "Edit110", "Edit111", "Edit434", "Edit437", "Edit457", "Edit458", "Edit473",
                             "Edit482", "Edit486"}) {
        if (auto *edit = dynamic_cast<TEdit *>(w.FindComponent(name))) job.texts[name] = edit->Text();
    }
    job.texts["Label155"] = w.Label155->Caption();
    job.texts["Label132"] = w.Label132->Caption();
    for (TMemo *memo : {w.Memo1, w.Memo3, w.Memo4, w.Memo5}) job.memos[memo->Name()] = memo->Lines().Lines();
    job.stores = &w;
    job.meterFamily = w.MeterFamily;
    job.approvalRegime = w.ApprovalRegime;
    job.vehicleResults = w.VehicleResults;
    job.calcRelativeToK = w.CalcRelativeToK;
    job.czasX10 = w.CzasX10;
    job.printBaseRun = w.PrintBaseRun;
    job.contractPrice = w.Panel28->Color() == clBlack;
    job.discount = w.Panel29->Color() == clBlack;
    job.colourPrint = w.Panel275->Color() == clBlack;
    job.testedSlots = w.ValTestTaryf(2);
    job.date = TForm1::Data();
    job.nrBoczny = w.NrBoczny;
    job.trybFiskalny = w.TrybFiskalny;
    job.tivarOptions = w.TivarOptionFlags;
    job.liczniki = w.LicznikiKeep;
    job.pageCode = w.TariffPageCode;
    job.maxSurcharge = w.GroupMaxSurcharge;
    job.validityDates = w.ValidityDatePairs();
    job.layoutChangeTestMask = w.LayoutChangeTestMask;
    // The set test speed: the factor the interface reports per slot times the slot's Vgp.
    job.testSpeedPercent = w.SlotDeviceByte;
    job.testSpeedValue = w.TariffVgp;
    job.today = Today();
    job.reference = CertificateReferenceDate(w.RecordSaveDate, TForm1::Lit(w.Panel162) || TForm1::Lit(w.Panel163),
                                             job.today);
    return job;
}

}  // namespace printing

int TForm1::ValTestTaryf(int) const {
    int tested = 0;
    for (const QString &name : TestedTariffNames) tested += name.isEmpty() ? 0 : 1;
    return tested;
}

namespace {

// The first page of annex B. The setting accuracy of the vehicle constant is checked before the
// verdict is taken, so that the verdict printed on the page already counts a failed check; the
// vehicle constant taken from St of slot 0 is kept.
void PrintFirstPage(TForm1 &w, TCanvas &canvas, int m, int pages, int page, bool ownFamily) {
    printing::AnnexJob job = printing::AnnexJobOf(w);
    if (w.VehicleResults != 0) {
        job.constantCheck = printing::CheckVehicleConstant(w.LicznikiKeep[2], w.StalaStTaryf[0], w.Edit107->Text());
        w.LicznikiKeep[2] = job.constantCheck.w;
        if (job.constantCheck.outOfTolerance) w.OglErrFlag = 1;
    }
    job.verdictNegative = w.GetPrzekroczenie() != 0;
    printing::DrawFirstPage(canvas, m, job, pages, page, ownFamily);
}

}  // namespace

void TForm1::SetPrintImageTivar(TCanvas &canvas, int m, int pages, int page) {
    PrintFirstPage(*this, canvas, m, pages, page, true);
}

void TForm1::SetPrintImageNovitius(TCanvas &canvas, int m, int pages, int page) {
    PrintFirstPage(*this, canvas, m, pages, page, false);
}

void TForm1::SetPrintImageWyniki(TCanvas &canvas, int m, int pages, int page, uint8_t slot) {
    const printing::AnnexJob job = printing::AnnexJobOf(*this);
    printing::DrawResultsPage(canvas, m, job, pages, page, slot & 15);
    const printing::SymbolPlace place = printing::ResultsCodePlace(m);
    Barcode2D_QRCode1->SetBarcode(WriteQR(printing::ResultsCodeData(job), 0, 1));
    Barcode2D_QRCode1->DrawTo(&canvas, place.left, place.top, place.module, 0);
}
